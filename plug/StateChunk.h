// A growable byte buffer for parameter states, presets and banks.
//
// Writers append; readers take a start position and return the position after what they read,
// or -1 when the chunk is too short (or the start position is already -1 or outside the chunk).
// Readers never touch a byte outside the chunk, whatever position or stored length they meet.
// Layout: little-endian; doubles as 8-byte IEEE-754, integers as 4-byte two's complement,
// texts as a 4-byte length followed by that many bytes without a terminator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quivorant {

class StateChunk {
public:
  StateChunk() = default;
  // Reserves room up front so that typical appends never reallocate.
  explicit StateChunk(std::size_t reserveBytes);

  int Size() const { return static_cast<int>(bytes_.size()); }
  bool Empty() const { return bytes_.empty(); }
  const std::uint8_t* Data() const { return bytes_.data(); }
  std::uint8_t* Data() { return bytes_.data(); }
  void Clear() { bytes_.clear(); }
  // Replaces the contents with `size` bytes from `data`; false (contents unchanged) when the
  // size is negative, the data are missing or memory runs out.
  bool Assign(const void* data, int size);

  // Appenders return the chunk's size afterwards; a failed append (out of memory, or beyond
  // 2 GiB) leaves the chunk as it was.
  int PutBytes(const void* data, int size);
  int PutDouble(double x);
  int PutInt32(std::int32_t x);
  int PutByte(std::uint8_t x);
  // Writes strlen(text) bytes after the length; a null text is stored as the empty text.
  int PutString(const char* text);
  int PutChunk(const StateChunk& other);

  int GetBytes(void* out, int size, int pos) const;
  int GetDouble(double* out, int pos) const;
  int GetInt32(std::int32_t* out, int pos) const;
  int GetByte(std::uint8_t* out, int pos) const;
  // Reads a length-prefixed text into `out` (at most capacity - 1 bytes, always terminated; a
  // longer stored text is cut but skipped whole). A stored length of 0 or below yields "".
  int GetString(char* out, std::size_t capacity, int pos) const;

private:
  // Position after `size` bytes at `pos`, or -1 when they are not all inside the chunk.
  int Advance(int pos, std::int64_t size) const;

  std::vector<std::uint8_t> bytes_;
};

}  // namespace quivorant
