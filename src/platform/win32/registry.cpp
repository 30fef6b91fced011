#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace win32 {
namespace {

std::wstring keyPath(const std::string& path) {
  std::string p = path;
  while (!p.empty() && p.front() == '\\') p.erase(p.begin());
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return widen(p);
}

HKEY toHkey(sys::Registry::Key k) { return reinterpret_cast<HKEY>(k); }

}  // namespace

Registry::~Registry() {
  for (HKEY k : open_) RegCloseKey(k);
}

sys::Registry::Key Registry::open(const std::string& path, bool create) {
  std::wstring p = keyPath(path);
  HKEY k = nullptr;
  LONG rc = create ? RegCreateKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                     nullptr, &k, nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, KEY_READ | KEY_WRITE, &k);
  if (rc != ERROR_SUCCESS || !k) return 0;
  open_.insert(k);
  return reinterpret_cast<Key>(k);
}

void Registry::close(Key k) {
  auto it = open_.find(toHkey(k));
  if (it == open_.end()) return;  // not ours, or closed already
  RegCloseKey(*it);
  open_.erase(it);
}

std::optional<sys::Registry::Value> Registry::query(Key k, const std::string& name) {
  if (!open_.count(toHkey(k))) return std::nullopt;
  std::wstring n = widen(name);
  DWORD type = 0, size = 0;
  std::vector<BYTE> data;
  LONG rc = RegQueryValueExW(toHkey(k), n.c_str(), nullptr, &type, nullptr, &size);
  // The value can grow between the two calls; ask again until it fits.
  for (int tries = 0; rc == ERROR_SUCCESS && tries < 4; ++tries) {
    data.resize(size);
    DWORD got = size;
    rc = RegQueryValueExW(toHkey(k), n.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &got);
    if (rc == ERROR_MORE_DATA) {
      size = got;
      rc = ERROR_SUCCESS;
      continue;
    }
    data.resize(got);
    break;
  }
  if (rc != ERROR_SUCCESS) return std::nullopt;
  Value v;
  switch (type) {
    case REG_DWORD:
      v.type = Type::Dword;
      v.data.assign(data.begin(), data.end());
      break;
    case REG_SZ:
    case REG_EXPAND_SZ: {
      v.type = Type::String;
      std::size_t chars = data.size() / sizeof(wchar_t);
      std::wstring w(chars, L'\0');
      if (chars) memcpy(w.data(), data.data(), chars * sizeof(wchar_t));
      while (!w.empty() && w.back() == L'\0') w.pop_back();
      std::string s = narrow(w);
      v.data.assign(s.begin(), s.end());
      break;
    }
    case REG_BINARY:
      v.type = Type::Binary;
      v.data.assign(data.begin(), data.end());
      break;
    default:
      v.type = Type::Other;
      v.data.assign(data.begin(), data.end());
      break;
  }
  return v;
}

bool Registry::set(Key k, const std::string& name, const Value& v) {
  if (!open_.count(toHkey(k))) return false;
  std::wstring n = widen(name);
  DWORD type = REG_BINARY;
  std::vector<BYTE> data;
  switch (v.type) {
    case Type::Dword:
      if (v.data.size() != 4) return false;
      type = REG_DWORD;
      data.assign(v.data.begin(), v.data.end());
      break;
    case Type::String: {
      type = REG_SZ;
      std::wstring w = widen(std::string(v.data.begin(), v.data.end()));
      w.push_back(L'\0');
      data.resize(w.size() * sizeof(wchar_t));
      memcpy(data.data(), w.data(), data.size());
      break;
    }
    case Type::Binary:
    case Type::Other:
      type = REG_BINARY;
      data.assign(v.data.begin(), v.data.end());
      break;
  }
  return RegSetValueExW(toHkey(k), n.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                        DWORD(data.size())) == ERROR_SUCCESS;
}

}  // namespace win32
