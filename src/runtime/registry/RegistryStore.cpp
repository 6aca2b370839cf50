#include "runtime/registry/RegistryStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "runtime/AtomicFile.h"
#include "runtime/RuntimeError.h"
#include "runtime/UniqueFd.h"
#include "runtime/XdgDirs.h"

namespace ferrowick::runtime {

namespace {

// The store is ours alone; a file far beyond what it could hold is not one of ours.
constexpr off_t kMaxStoreSize = 64 << 20;

std::string_view foldedRunKey() {
  static const std::string key = RegistryHive::fold(kRunKeyPath);
  return key;
}

bool isRunKey(const std::string& path) { return RegistryHive::fold(path) == foldedRunKey(); }

// The Run key and the levels above it exist on every system.
bool isRunKeyOrAbove(const std::string& path) {
  const std::string folded = RegistryHive::fold(path);
  const std::string_view runKey = foldedRunKey();
  return folded.empty() || folded == runKey ||
         (runKey.substr(0, folded.size()) == folded && runKey[folded.size()] == '\\');
}

RegStatus statusOf(const RuntimeError& error) {
  switch (error.number()) {
    case Err::PermissionDenied:
      return ERROR_ACCESS_DENIED;
    case Err::DiskFull:
      return ERROR_DISK_FULL;
    default:
      return ERROR_REGISTRY_IO_FAILED;
  }
}

RegStatus giveData(const std::vector<std::uint8_t>& bytes, std::uint8_t* data,
                   std::uint32_t* size) {
  const auto needed = static_cast<std::uint32_t>(bytes.size());
  if (data == nullptr) {
    if (size != nullptr) *size = needed;
    return ERROR_SUCCESS;
  }
  if (size == nullptr) return ERROR_INVALID_PARAMETER;
  if (*size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  std::copy(bytes.begin(), bytes.end(), data);
  *size = needed;
  return ERROR_SUCCESS;
}

}  // namespace

RegistryStore::RegistryStore(std::filesystem::path folder, std::filesystem::path autostartFolder)
    : folder_(std::move(folder)), autostart_(std::move(autostartFolder)) {}

RegistryStore RegistryStore::forCurrentUser() {
  const auto config = configHome();
  return RegistryStore(config / "Halvorne", config / "autostart");
}

std::filesystem::path RegistryStore::fileOf(HKey root) const {
  return folder_ / (root == HKEY_LOCAL_MACHINE ? "local-machine.txt" : "current-user.txt");
}

std::optional<RegistryStore::OpenKey> RegistryStore::resolve(HKey key) const {
  if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE)
    return OpenKey{key, std::string(), KEY_ALL_ACCESS};
  const auto it = handles_.find(key);
  if (it == handles_.end()) return std::nullopt;
  return it->second;
}

RegStatus RegistryStore::keyBelow(HKey key, std::string_view subKey, OpenKey& target) const {
  const auto parent = resolve(key);
  if (!parent) return ERROR_INVALID_HANDLE;
  const auto sub = RegistryHive::normalizePath(subKey);
  if (!sub) return ERROR_BAD_PATHNAME;
  target = *parent;
  if (!sub->empty()) target.path += (target.path.empty() ? "" : "\\") + *sub;
  return ERROR_SUCCESS;
}

HKey RegistryStore::newHandle(OpenKey key) {
  const HKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(handle, std::move(key));
  return handle;
}

RegistryStore::Loaded RegistryStore::load(HKey root) const {
  const auto path = fileOf(root);
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd) return {RegistryHive(), errno == ENOENT};
  struct stat info {};
  std::string text;
  bool readable =
      ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxStoreSize;
  if (readable) {
    text.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (readable && got < text.size()) {
      const ssize_t n = ::read(fd.get(), text.data() + got, text.size() - got);
      if (n > 0)
        got += static_cast<std::size_t>(n);
      else if (n == 0)
        text.resize(got);
      else
        readable = errno == EINTR;
    }
  }
  if (!readable) return {RegistryHive(), false};
  return {RegistryHive::parse(text), true};
}

RegStatus RegistryStore::save(HKey root, const RegistryHive& hive) {
  try {
    std::error_code ec;
    std::filesystem::create_directories(folder_.parent_path(), ec);
    if (::mkdir(folder_.c_str(), 0700) != 0 && errno != EEXIST) raiseErrno(errno, folder_);
    const std::string title =
        root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    replaceFile(fileOf(root), hive.serialize(title), 0600, &faults_);
    return ERROR_SUCCESS;
  } catch (const RuntimeError& error) {
    return failed(error);
  }
}

RegStatus RegistryStore::failed(const RuntimeError& error) {
  writeError_ = error;
  return statusOf(error);
}

RegStatus RegistryStore::openKey(HKey key, std::string_view subKey, std::uint32_t access,
                                 HKey& result) {
  result = 0;
  OpenKey target{};
  if (const RegStatus status = keyBelow(key, subKey, target); status != ERROR_SUCCESS)
    return status;
  if (!isRunKeyOrAbove(target.path) && !load(target.root).hive.exists(target.path))
    return ERROR_FILE_NOT_FOUND;
  target.access = access;
  result = newHandle(std::move(target));
  return ERROR_SUCCESS;
}

RegStatus RegistryStore::createKey(HKey key, std::string_view subKey, std::uint32_t access,
                                   HKey& result, std::uint32_t* disposition) {
  result = 0;
  OpenKey target{};
  if (const RegStatus status = keyBelow(key, subKey, target); status != ERROR_SUCCESS)
    return status;
  bool created = false;
  if (!isRunKeyOrAbove(target.path)) {
    Loaded loaded = load(target.root);
    if (!loaded.hive.exists(target.path)) {
      if ((resolve(key)->access & KEY_CREATE_SUB_KEY) == 0) return ERROR_ACCESS_DENIED;
      if (!loaded.readable) return failed(RuntimeError(Err::PathFileAccessError));
      loaded.hive.create(target.path);
      if (const RegStatus status = save(target.root, loaded.hive); status != ERROR_SUCCESS)
        return status;
      created = true;
    }
  }
  if (disposition != nullptr)
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  target.access = access;
  result = newHandle(std::move(target));
  return ERROR_SUCCESS;
}

RegStatus RegistryStore::queryValue(HKey key, std::string_view name, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) {
  const auto open = resolve(key);
  if (!open) return ERROR_INVALID_HANDLE;
  if ((open->access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;

  if (isRunKey(open->path)) {
    const auto command = autostart_.read(name, faults_);
    if (!command) return ERROR_FILE_NOT_FOUND;
    std::vector<std::uint8_t> bytes(command->begin(), command->end());
    bytes.push_back(0);
    if (type != nullptr) *type = REG_SZ;
    return giveData(bytes, data, size);
  }

  Loaded loaded = load(open->root);
  const RegistryKey* found = loaded.hive.find(open->path);
  if (found == nullptr) return ERROR_FILE_NOT_FOUND;
  const auto value = found->values.find(RegistryHive::fold(name));
  if (value == found->values.end()) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = value->second.type;
  return giveData(value->second.data, data, size);
}

RegStatus RegistryStore::setValue(HKey key, std::string_view name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
  const auto open = resolve(key);
  if (!open) return ERROR_INVALID_HANDLE;
  if ((open->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (data == nullptr && size != 0) return ERROR_INVALID_PARAMETER;
  if (isRunKey(open->path)) return setRunValue(name, type, data, size);

  Loaded loaded = load(open->root);
  if (!loaded.readable) return failed(RuntimeError(Err::PathFileAccessError));
  loaded.hive.create(open->path);
  RegistryKey* target = loaded.hive.find(open->path);
  if (target == nullptr) return ERROR_FILE_NOT_FOUND;  // the root takes no values here
  RegistryValue value{std::string(name), type, std::vector<std::uint8_t>(data, data + size)};
  target->values.insert_or_assign(RegistryHive::fold(name), std::move(value));
  return save(open->root, loaded.hive);
}

RegStatus RegistryStore::setRunValue(std::string_view name, std::uint32_t type,
                                     const std::uint8_t* data, std::uint32_t size) {
  // An entry holds a program to start: only text can be one.
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || !AutostartEntries::validName(name))
    return ERROR_INVALID_PARAMETER;
  const auto* text = reinterpret_cast<const char*>(data);
  const std::string_view bytes(text == nullptr ? "" : text, size);
  const std::string_view command = bytes.substr(0, bytes.find('\0'));
  try {
    autostart_.write(name, command, faults_);
    return ERROR_SUCCESS;
  } catch (const RuntimeError& error) {
    return failed(error);
  }
}

RegStatus RegistryStore::deleteValue(HKey key, std::string_view name) {
  const auto open = resolve(key);
  if (!open) return ERROR_INVALID_HANDLE;
  if ((open->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (isRunKey(open->path)) return deleteRunValue(name);

  Loaded loaded = load(open->root);
  RegistryKey* target = loaded.hive.find(open->path);
  if (target == nullptr || target->values.erase(RegistryHive::fold(name)) == 0)
    return ERROR_FILE_NOT_FOUND;
  return save(open->root, loaded.hive);
}

RegStatus RegistryStore::deleteRunValue(std::string_view name) {
  try {
    return autostart_.remove(name, faults_) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  } catch (const RuntimeError& error) {
    return failed(error);
  }
}

RegStatus RegistryStore::closeKey(HKey key) {
  if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
  return handles_.erase(key) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace ferrowick::runtime
