#include "skin/archive_writer.h"

#include <gtest/gtest.h>

#include "skin/archive_preview.h"
#include "skin/archive_reader.h"
#include "skin/archive_test_support.h"

namespace ac {
namespace {

using test::Bytes;
using test::BytesOf;

TEST(WriteSkinArchive, LaysOutHeaderEntriesAndTrailer) {
  const Bytes archive =
      WriteSkinArchive({{"OPTIONS.DAT", BytesOf("abc")}, {"Glow.png", {}}}, BytesOf("PNG"));
  const Bytes head = {'A', 'S', 'z', 'f', 2,   0,   0,   0,   11, 0, 0, 0, 'O',  'P', 'T',
                      'I', 'O', 'N', 'S', '.', 'D', 'A', 'T', 3,  0, 0, 0, 0x78, 0xDA};
  ASSERT_GT(archive.size(), head.size());
  EXPECT_EQ(Bytes(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(head.size())),
            head);
  const Bytes tail = {'p', 'r', 'e', 'v', 'i', 'e', 'w', 'i', 'm', 'g', 3, 0, 0, 0, 'P', 'N', 'G'};
  EXPECT_EQ(Bytes(archive.end() - static_cast<std::ptrdiff_t>(tail.size()), archive.end()), tail);
}

TEST(WriteSkinArchive, ReadsBackEntryByEntryWithHeader78DA) {
  const std::vector<TacArchiveSource> sources = {{"OPTIONS.DAT", BytesOf("[X]\r\nA=1\r\n")},
                                                 {"MASTER COPY.PNG", test::NoiseBytes(200000)},
                                                 {"EMPTY.BMP", {}},
                                                 {"lower.jpg", Bytes(100000, 9)}};
  const Bytes archive = WriteSkinArchive(sources, BytesOf("img"));
  std::vector<TacArchiveEntry> entries;
  const std::size_t end =
      ReadArchiveEntries(archive, [&](TacArchiveEntry&& e) { entries.push_back(std::move(e)); });
  ASSERT_EQ(entries.size(), sources.size());
  for (std::size_t i = 0; i < sources.size(); ++i) {
    EXPECT_EQ(entries[i].Name, sources[i].Name);
    EXPECT_EQ(entries[i].Data, sources[i].Data);
    const std::size_t stream = entries[i].Offset + 4 + entries[i].Name.size() + 4;
    EXPECT_EQ(archive[stream], 0x78);
    EXPECT_EQ(archive[stream + 1], 0xDA);
  }
  EXPECT_EQ(end, archive.size() - 10 - 4 - 3);
  EXPECT_EQ(ExtractPreview(archive), BytesOf("img"));
}

}  // namespace
}  // namespace ac
