#include "plug/StateChunk.h"

#include <climits>
#include <cstring>

namespace quivorant {

namespace {

void EncodeLittleEndian(std::uint64_t bits, int size, std::uint8_t* out) {
  for (int i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::uint64_t DecodeLittleEndian(const std::uint8_t* in, int size) {
  std::uint64_t bits = 0;
  for (int i = 0; i < size; ++i) bits |= static_cast<std::uint64_t>(in[i]) << (8 * i);
  return bits;
}

}  // namespace

StateChunk::StateChunk(std::size_t reserveBytes) {
  try {
    bytes_.reserve(reserveBytes);
  } catch (...) {
    // Growing later is only slower.
  }
}

bool StateChunk::Assign(const void* data, int size) {
  if (size < 0 || (size > 0 && !data)) return false;
  try {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.assign(p, p + size);
  } catch (...) {
    return false;
  }
  return true;
}

int StateChunk::PutBytes(const void* data, int size) {
  if (size <= 0) return Size();
  if (!data || static_cast<std::int64_t>(bytes_.size()) + size > INT_MAX) return Size();
  try {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  } catch (...) {
    // std::vector's insert leaves the contents as they were when it throws.
  }
  return Size();
}

int StateChunk::PutDouble(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  std::uint8_t raw[8];
  EncodeLittleEndian(bits, 8, raw);
  return PutBytes(raw, 8);
}

int StateChunk::PutInt32(std::int32_t x) {
  std::uint8_t raw[4];
  EncodeLittleEndian(static_cast<std::uint32_t>(x), 4, raw);
  return PutBytes(raw, 4);
}

int StateChunk::PutByte(std::uint8_t x) { return PutBytes(&x, 1); }

int StateChunk::PutString(const char* text) {
  const std::size_t len = text ? std::strlen(text) : 0;
  if (len > static_cast<std::size_t>(INT_MAX - 4)) return Size();
  const int before = Size();
  PutInt32(static_cast<std::int32_t>(len));
  if (Size() != before + 4) return Size();
  if (PutBytes(text, static_cast<int>(len)) != before + 4 + static_cast<int>(len)) {
    bytes_.resize(static_cast<std::size_t>(before));  // never leave a length without its text
  }
  return Size();
}

int StateChunk::PutChunk(const StateChunk& other) {
  if (&other == this) {
    const std::vector<std::uint8_t> copy(bytes_);
    return PutBytes(copy.data(), static_cast<int>(copy.size()));
  }
  return PutBytes(other.Data(), other.Size());
}

int StateChunk::Advance(int pos, std::int64_t size) const {
  if (pos < 0 || size < 0) return -1;
  const std::int64_t end = static_cast<std::int64_t>(pos) + size;
  if (end > static_cast<std::int64_t>(bytes_.size())) return -1;
  return static_cast<int>(end);
}

int StateChunk::GetBytes(void* out, int size, int pos) const {
  const int end = Advance(pos, size);
  if (end < 0) return -1;
  if (size > 0 && out) std::memcpy(out, bytes_.data() + pos, static_cast<std::size_t>(size));
  return end;
}

int StateChunk::GetDouble(double* out, int pos) const {
  const int end = Advance(pos, 8);
  if (end < 0) return -1;
  const std::uint64_t bits = DecodeLittleEndian(bytes_.data() + pos, 8);
  if (out) std::memcpy(out, &bits, sizeof bits);
  return end;
}

int StateChunk::GetInt32(std::int32_t* out, int pos) const {
  const int end = Advance(pos, 4);
  if (end < 0) return -1;
  if (out) *out = static_cast<std::int32_t>(static_cast<std::uint32_t>(DecodeLittleEndian(bytes_.data() + pos, 4)));
  return end;
}

int StateChunk::GetByte(std::uint8_t* out, int pos) const {
  const int end = Advance(pos, 1);
  if (end < 0) return -1;
  if (out) *out = bytes_[static_cast<std::size_t>(pos)];
  return end;
}

int StateChunk::GetString(char* out, std::size_t capacity, int pos) const {
  if (out && capacity > 0) out[0] = '\0';
  std::int32_t len = 0;
  const int textPos = GetInt32(&len, pos);
  if (textPos < 0) return -1;
  if (len <= 0) return textPos;
  const int end = Advance(textPos, len);
  if (end < 0) return -1;
  if (out && capacity > 0) {
    const std::size_t n = static_cast<std::size_t>(len) < capacity - 1 ? static_cast<std::size_t>(len) : capacity - 1;
    std::memcpy(out, bytes_.data() + textPos, n);
    out[n] = '\0';
  }
  return end;
}

}  // namespace quivorant
