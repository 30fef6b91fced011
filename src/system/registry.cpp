#include "system/registry.h"

#include <cstring>

#include "base/error.h"

namespace sys {

Registry::Value Registry::dword(std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  return {Type::Dword, {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)}};
}

std::optional<RegistryKey> RegistryKey::open(Registry& reg, const std::string& path, bool create) {
  Registry::Key k = reg.open(path, create);
  if (k == 0) return std::nullopt;
  return RegistryKey(reg, k);
}

RegistryKey::~RegistryKey() {
  if (key_ != 0) reg_.close(key_);
}

std::int32_t RegistryKey::readInteger(const std::string& name) {
  auto v = reg_.query(key_, name);
  if (!v) throw base::Error(base::format("'%s' の取得に失敗しました", name));
  if (v->type != Registry::Type::Dword || v->data.size() != 4)
    throw base::Error(base::format("'%s' のﾃﾞｰﾀ型が不正です", name));
  std::uint32_t u = std::uint32_t(v->data[0]) | std::uint32_t(v->data[1]) << 8 |
                    std::uint32_t(v->data[2]) << 16 | std::uint32_t(v->data[3]) << 24;
  return static_cast<std::int32_t>(u);
}

void RegistryKey::writeInteger(const std::string& name, std::int32_t v) {
  if (!reg_.set(key_, name, Registry::dword(v)))
    throw base::Error(base::format("'%s' の設定に失敗しました", name));
}

}  // namespace sys
