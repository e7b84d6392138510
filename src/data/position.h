// A place in the order of a key: the key's component values and the record's
// number (RECNO), which orders duplicates by insertion and makes every
// position unique. Keyset pages and walks start from positions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fin {

struct KeyValue {
  bool isText = false;
  int64_t number = 0;
  std::string text;  // UTF-8
  friend bool operator==(const KeyValue&, const KeyValue&) = default;
};

struct Position {
  std::vector<KeyValue> values;
  int64_t recno = 0;
  bool valid() const { return recno != 0; }
  friend bool operator==(const Position&, const Position&) = default;
};

enum class Direction : uint8_t { Forward, Backward };

}  // namespace fin
