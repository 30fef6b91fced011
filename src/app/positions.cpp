#include "app/positions.h"

#include "base/error.h"

namespace app {

std::optional<StoredPositions> PositionStore::open() {
  auto key = sys::RegistryKey::open(registry_, kPositionKey, false);
  if (!key) return std::nullopt;
  return StoredPositions(std::move(*key));
}

void PositionStore::write(const WindowPositions& p) {
  auto key = sys::RegistryKey::open(registry_, kPositionKey, true);
  if (!key) throw base::Error(base::format("'%s' の設定に失敗しました", "Top"));
  key->writeInteger("Top", p.cameraBoxTop);
  key->writeInteger("Left", p.cameraBoxLeft);
  key->writeInteger("Image.Top", p.negativeSheetTop);
  key->writeInteger("Main.Top", p.paletteTop);
  key->writeInteger("Main.Left", p.paletteLeft);
}

}  // namespace app
