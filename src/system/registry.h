#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sys {

// The current user's registry, as raw keys and typed values.
class Registry {
 public:
  enum class Type { Dword, String, Binary, Other };
  struct Value {
    Type type = Type::Dword;
    std::vector<std::uint8_t> data;
  };
  using Key = std::uintptr_t;  // 0: not open

  virtual ~Registry() = default;
  // Opens a key below HKEY_CURRENT_USER; with create, missing parts of the
  // path are made. 0 when it does not exist or cannot be made.
  virtual Key open(const std::string& path, bool create) = 0;
  virtual void close(Key k) = 0;
  // nullopt when the value is missing or cannot be read.
  virtual std::optional<Value> query(Key k, const std::string& name) = 0;
  virtual bool set(Key k, const std::string& name, const Value& v) = 0;

  // A REG_DWORD value: four bytes, little-endian.
  static Value dword(std::int32_t v);
};

// An open key with the class library's reading and writing rules and its
// error texts. Closes itself.
class RegistryKey {
 public:
  // nullopt when the key does not exist (and create is false).
  static std::optional<RegistryKey> open(Registry& reg, const std::string& path, bool create);
  RegistryKey(RegistryKey&& o) noexcept : reg_(o.reg_), key_(o.key_) { o.key_ = 0; }
  RegistryKey& operator=(RegistryKey&&) = delete;
  ~RegistryKey();

  // "'%s' の取得に失敗しました" when missing, "'%s' のﾃﾞｰﾀ型が不正です" when
  // the value is not a 32-bit integer.
  std::int32_t readInteger(const std::string& name);
  // "'%s' の設定に失敗しました" when it cannot be written.
  void writeInteger(const std::string& name, std::int32_t v);

 private:
  RegistryKey(Registry& reg, Registry::Key k) : reg_(reg), key_(k) {}
  Registry& reg_;
  Registry::Key key_;
};

}  // namespace sys
