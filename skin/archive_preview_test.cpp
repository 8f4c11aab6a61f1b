#include "skin/archive_preview.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "skin/archive_test_support.h"
#include "skin/archive_writer.h"

namespace ac {
namespace {

using test::Bytes;
using test::BytesOf;
using test::TArchiveBuilder;

TEST(ExtractPreview, ReturnsTheTrailerImage) {
  const Bytes png = BytesOf("\x89PNG\r\n\x1a\n-image-");
  const Bytes archive = WriteSkinArchive({{"OPTIONS.DAT", BytesOf("o")}}, png);
  EXPECT_EQ(ExtractPreview(archive), png);
}

TEST(ExtractPreview, EmptyWithoutMarker) {
  EXPECT_TRUE(ExtractPreview(WriteSkinArchive({{"OPTIONS.DAT", BytesOf("o")}})).empty());
  EXPECT_TRUE(ExtractPreview({}).empty());
  EXPECT_TRUE(ExtractPreview(BytesOf("previewim")).empty());
  EXPECT_TRUE(ExtractPreview(BytesOf("PREVIEWIMG\x01\x00\x00\x00x")).empty());
}

TEST(ExtractPreview, FirstMarkerFromTheStartCounts) {
  // The search runs over the whole archive, entry names included.
  const Bytes archive = TArchiveBuilder()
                            .Header(1)
                            .Entry("previewimg", "")  // marker, then the size 0 as length
                            .Text("previewimg")
                            .U32(3)
                            .Text("png")
                            .Build();
  const Bytes found = ExtractPreview(archive);
  EXPECT_TRUE(found.empty());

  const Bytes twice = TArchiveBuilder()
                          .Text("xxpreviewimg")
                          .U32(1)
                          .Text("A")
                          .Text("previewimg")
                          .U32(1)
                          .Text("B")
                          .Build();
  EXPECT_EQ(ExtractPreview(twice), BytesOf("A"));
  // A marker overlapping a partial one before it.
  EXPECT_EQ(ExtractPreview(TArchiveBuilder().Text("previewipreviewimg").U32(2).Text("ok").Build()),
            BytesOf("ok"));
}

TEST(ExtractPreview, LengthPastTheEndIsAnError) {
  EXPECT_THROW(ExtractPreview(BytesOf("previewimg\x05\x00")), ESkinError);
  EXPECT_THROW(ExtractPreview(TArchiveBuilder().Text("previewimg").U32(5).Text("1234").Build()),
               ESkinError);
  EXPECT_THROW(ExtractPreview(TArchiveBuilder().Text("previewimg").U32(0xFFFFFFFF).Build()),
               ESkinError);
  EXPECT_EQ(ExtractPreview(TArchiveBuilder().Text("previewimg").U32(0).Build()), Bytes{});
}

}  // namespace
}  // namespace ac
