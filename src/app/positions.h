#pragma once
#include <cstdint>
#include <optional>

#include "system/registry.h"

namespace app {

// The registry key below HKEY_CURRENT_USER that keeps the window positions.
inline constexpr const char* kPositionKey = "\\Software\\Olvane\\Mirune36枚撮り";

// Where each window was when the program was last asked to end.
struct WindowPositions {
  int cameraBoxTop = 0;
  int cameraBoxLeft = 0;
  int negativeSheetTop = 0;
  int paletteTop = 0;
  int paletteLeft = 0;
};

// The position key, open for reading. Each value is read when asked for:
// "'%s' の取得に失敗しました" when it is missing, "'%s' のﾃﾞｰﾀ型が不正です"
// when it is not a 32-bit integer.
class StoredPositions {
 public:
  explicit StoredPositions(sys::RegistryKey key) : key_(std::move(key)) {}
  int cameraBoxTop() { return key_.readInteger("Top"); }
  int cameraBoxLeft() { return key_.readInteger("Left"); }
  int negativeSheetTop() { return key_.readInteger("Image.Top"); }
  int paletteTop() { return key_.readInteger("Main.Top"); }
  int paletteLeft() { return key_.readInteger("Main.Left"); }

 private:
  sys::RegistryKey key_;
};

class PositionStore {
 public:
  explicit PositionStore(sys::Registry& registry) : registry_(registry) {}
  // The stored positions; nullopt when none were ever written.
  std::optional<StoredPositions> open();
  // Writes all five, creating the key when needed, in the order of
  // WindowPositions; "'%s' の設定に失敗しました" stops at the failing value.
  void write(const WindowPositions& p);

 private:
  sys::Registry& registry_;
};

}  // namespace app
