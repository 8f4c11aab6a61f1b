#include "skin/archive_inflate.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "skin/archive_test_support.h"

namespace ac {
namespace {

using test::Bytes;
using test::NoiseBytes;
using test::Zlib;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Expects InflateArchiveEntry to throw ESkinError whose message contains each
// of Parts, and to leave Position alone.
void ExpectFailure(const Bytes& archive, std::size_t position, std::uint32_t size,
                   std::initializer_list<std::string_view> parts) {
  std::size_t at = position;
  try {
    InflateArchiveEntry(archive, at, size, "GLOW.PNG");
    ADD_FAILURE() << "no error";
  } catch (const ESkinError& e) {
    for (auto part : parts)
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
  }
  EXPECT_EQ(at, position);
}

struct PositionCase {
  const char* Label;
  Bytes Content;
  friend void PrintTo(const PositionCase& c, std::ostream* os) { *os << c.Label; }
};

class InflatePosition : public testing::TestWithParam<PositionCase> {};

// The next entry starts at the byte after the stream's Adler-32 trailer, no
// matter how the stream lies across 128 KiB input blocks.
TEST_P(InflatePosition, StopsRightAfterTheStream) {
  const Bytes& content = GetParam().Content;
  const Bytes stream = Zlib(content);
  const Bytes prefix = {1, 2, 3};
  const Bytes next = Zlib(test::BytesOf("next entry"));
  const Bytes archive = Concat({prefix, stream, next, Bytes(300, 0xEE)});

  std::size_t at = prefix.size();
  EXPECT_EQ(InflateArchiveEntry(archive, at, static_cast<std::uint32_t>(content.size()), "A"),
            content);
  EXPECT_EQ(at, prefix.size() + stream.size());
  EXPECT_EQ(InflateArchiveEntry(archive, at, 10, "B"), test::BytesOf("next entry"));
  EXPECT_EQ(at, prefix.size() + stream.size() + next.size());
}

INSTANTIATE_TEST_SUITE_P(Contents, InflatePosition,
                         testing::Values(PositionCase{"Empty", {}}, PositionCase{"OneByte", {42}},
                                         PositionCase{"Noise300K", NoiseBytes(300000)},
                                         PositionCase{"Zeros3M", Bytes(3000000, 0)}),
                         [](const auto& p) { return std::string(p.param.Label); });

// Finds noise whose stream is exactly kArchiveInputBlock + Overhang bytes, so
// the first input block ends inside the stream's last bytes.
Bytes NoiseWithStreamLength(std::size_t length) {
  std::size_t low = length - 2000, high = length;
  while (low < high) {
    const std::size_t mid = (low + high) / 2;
    if (Zlib(NoiseBytes(mid)).size() < length)
      low = mid + 1;
    else
      high = mid;
  }
  return NoiseBytes(low);
}

TEST(InflateArchiveEntry, StreamEndingJustAfterAnInputBlock) {
  int tried = 0;
  for (std::size_t overhang : {1, 2, 3, 4, 5, 6}) {
    const Bytes content = NoiseWithStreamLength(kArchiveInputBlock + overhang);
    const Bytes stream = Zlib(content);
    if (stream.size() != kArchiveInputBlock + overhang) continue;  // no such noise size
    ++tried;
    const Bytes archive = Concat({stream, Zlib({7})});
    std::size_t at = 0;
    EXPECT_EQ(InflateArchiveEntry(archive, at, static_cast<std::uint32_t>(content.size()), "A"),
              content);
    EXPECT_EQ(at, stream.size()) << "overhang " << overhang;
    EXPECT_EQ(InflateArchiveEntry(archive, at, 1, "B"), Bytes{7});
  }
  EXPECT_GE(tried, 3);
}

TEST(InflateArchiveEntry, CorruptStream) {
  Bytes stream = Zlib(test::BytesOf("some content of a skin file"));
  stream[0] = 0x79;  // header check fails
  ExpectFailure(stream, 0, 27, {"GLOW.PNG", "corrupt"});

  Bytes badTrailer = Zlib(test::BytesOf("some content of a skin file"));
  badTrailer.back() ^= 1;  // Adler-32 mismatch
  ExpectFailure(badTrailer, 0, 27, {"GLOW.PNG", "corrupt"});
}

TEST(InflateArchiveEntry, ArchiveEndsInsideTheStream) {
  const Bytes content = NoiseBytes(200000);
  const Bytes stream = Zlib(content);
  for (std::size_t cut :
       {std::size_t{200}, stream.size() / 2, stream.size() - 4, stream.size() - 1})
    ExpectFailure(Bytes(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut)), 0,
                  200000, {"GLOW.PNG", "ends inside"});
  ExpectFailure({}, 0, 0, {"GLOW.PNG", "ends inside the zlib stream after 0 of 0 bytes"});
}

TEST(InflateArchiveEntry, StreamShorterOrLongerThanDeclared) {
  const Bytes stream = Zlib(test::BytesOf("12345"));
  ExpectFailure(stream, 0, 6, {"GLOW.PNG", "ends after 5 of 6 bytes"});
  ExpectFailure(stream, 0, 4, {"GLOW.PNG", "more than the declared 4 bytes"});
  ExpectFailure(stream, 0, 0, {"GLOW.PNG", "more than the declared 0 bytes"});
}

TEST(InflateArchiveEntry, RefusesSizesNoInputCouldProduceBeforeAllocating) {
  const Bytes stream = Zlib(Bytes(1000, 0));
  // Under the address sanitizer a 4 GiB allocation would abort the test.
  ExpectFailure(stream, 0, 0xFFFFFFFFu, {"GLOW.PNG", "declared size of 4294967295 bytes"});
  const std::uint64_t limit = MaxInflatedSize(stream.size());
  ExpectFailure(stream, 0, static_cast<std::uint32_t>(limit + 1), {"declared size"});
  // At the limit the size is accepted and the stream is what falls short.
  ExpectFailure(stream, 0, static_cast<std::uint32_t>(limit), {"ends after 1000 of"});
}

TEST(InflateArchiveEntry, BoundLiesAboveDeflatesBestRatio) {
  // All zeros is deflate's best case.
  const Bytes zeros(4000000, 0);
  const Bytes stream = Zlib(zeros);
  EXPECT_LT(zeros.size(), MaxInflatedSize(stream.size()));
  std::size_t at = 0;
  EXPECT_EQ(InflateArchiveEntry(stream, at, 4000000, "Z").size(), 4000000u);
}

}  // namespace
}  // namespace ac
