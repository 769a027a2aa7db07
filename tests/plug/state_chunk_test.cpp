#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "plug/StateChunk.h"

namespace quivorant {
namespace {

TEST(StateChunk, LittleEndianLayout) {
  StateChunk c;
  EXPECT_EQ(c.PutInt32(13000), 4);
  EXPECT_EQ(c.PutDouble(1.0), 12);
  EXPECT_EQ(c.PutString("ab"), 18);
  EXPECT_EQ(c.PutByte(7), 19);
  // 13000 = 0x32C8; 1.0 = 0x3FF0000000000000.
  const unsigned char expected[] = {0xC8, 0x32, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 2, 0, 0, 0, 'a', 'b', 7};
  ASSERT_EQ(c.Size(), static_cast<int>(sizeof expected));
  EXPECT_EQ(std::memcmp(c.Data(), expected, sizeof expected), 0);

  std::int32_t i = 0;
  double d = 0;
  char text[8];
  std::uint8_t b = 0;
  int pos = c.GetInt32(&i, 0);
  pos = c.GetDouble(&d, pos);
  pos = c.GetString(text, sizeof text, pos);
  pos = c.GetByte(&b, pos);
  EXPECT_EQ(pos, 19);
  EXPECT_EQ(i, 13000);
  EXPECT_EQ(d, 1.0);
  EXPECT_STREQ(text, "ab");
  EXPECT_EQ(b, 7);
}

TEST(StateChunk, ShortReadsAndBadPositionsGiveMinusOne) {
  StateChunk c;
  c.PutInt32(5);
  double d = 42;
  EXPECT_EQ(c.GetDouble(&d, 0), -1);
  EXPECT_EQ(d, 42.0);  // untouched
  std::int32_t i = 0;
  EXPECT_EQ(c.GetInt32(&i, 1), -1);
  EXPECT_EQ(c.GetInt32(&i, -1), -1);
  EXPECT_EQ(c.GetInt32(&i, INT_MAX), -1);
  EXPECT_EQ(c.GetInt32(&i, 4), -1);  // exactly at the end
  std::uint8_t b;
  EXPECT_EQ(c.GetByte(&b, 4), -1);
  unsigned char raw[4];
  EXPECT_EQ(c.GetBytes(raw, 4, 0), 4);
  EXPECT_EQ(c.GetBytes(raw, -3, 0), -1);
  EXPECT_EQ(c.GetBytes(raw, INT_MAX, 2), -1);
}

TEST(StateChunk, TextLengthsOfEveryKindStayInside) {
  char text[16];
  struct Case {
    std::int32_t storedLength;
    int payload;    // bytes that really follow
    int expectPos;  // -1: too short
    const char* expectText;
  };
  const Case cases[] = {
      {0, 0, 4, ""}, {-1, 0, 4, ""}, {INT_MIN, 3, 4, ""}, {INT_MAX, 3, -1, ""}, {10, 3, -1, ""}, {3, 3, 7, "xxx"},
  };
  for (const Case& k : cases) {
    StateChunk c;
    c.PutInt32(k.storedLength);
    for (int i = 0; i < k.payload; ++i) c.PutByte('x');
    std::strcpy(text, "stale");
    EXPECT_EQ(c.GetString(text, sizeof text, 0), k.expectPos) << "length " << k.storedLength;
    EXPECT_STREQ(text, k.expectText) << "length " << k.storedLength;
  }

  // A text longer than the caller's buffer is cut but skipped whole.
  StateChunk c;
  c.PutString("abcdefghijklmnopqrstuvwxyz");
  c.PutInt32(99);
  char small[5];
  const int pos = c.GetString(small, sizeof small, 0);
  EXPECT_EQ(pos, 30);
  EXPECT_STREQ(small, "abcd");
  std::int32_t after = 0;
  EXPECT_EQ(c.GetInt32(&after, pos), 34);
  EXPECT_EQ(after, 99);
}

TEST(StateChunk, AssignPutChunkAndNullText) {
  StateChunk c;
  c.PutString(nullptr);
  EXPECT_EQ(c.Size(), 4);
  const unsigned char bytes[] = {1, 2, 3};
  EXPECT_TRUE(c.Assign(bytes, 3));
  EXPECT_EQ(c.Size(), 3);
  EXPECT_FALSE(c.Assign(nullptr, 3));
  EXPECT_FALSE(c.Assign(bytes, -1));
  EXPECT_EQ(c.Size(), 3);
  EXPECT_EQ(c.PutChunk(c), 6);  // appending itself doubles it
  EXPECT_EQ(c.Data()[5], 3);
  EXPECT_EQ(c.PutBytes(nullptr, 4), 6);
}

}  // namespace
}  // namespace quivorant
