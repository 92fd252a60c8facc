#include "common/SrgFile.h"

#include "common/CodePage.h"
#include "core/Sjis.h"

namespace quolin {

namespace {

bool CanCreate(HRESULT result, bool create) {
  return result == STG_E_FILENOTFOUND && create;
}

} // namespace

// TStorageFile

TStorageFile::~TStorageFile() {
  Close();
}

bool TStorageFile::Open(const std::string& fileName, bool create) {
  Close();
  const std::wstring name = AnsiToWide(fileName);
  HRESULT result =
      StgOpenStorage(name.c_str(), nullptr, static_cast<DWORD>(Mode), nullptr, 0, root_.Out());
  if (CanCreate(result, create))
    result = StgCreateDocfile(name.c_str(), static_cast<DWORD>(Mode | STGM_CREATE), 0, root_.Out());
  if (FAILED(result))
    root_.Reset();
  return IsOpen();
}

void TStorageFile::Close() {
  root_.Reset();
}

std::unique_ptr<TStorageStream> TStorageFile::OpenStream(const std::string& storagePath,
                                                         const std::string& streamName, bool create,
                                                         int mode) const {
  if (!IsOpen())
    return nullptr;
  return std::make_unique<TStorageStream>(root_.Get(), storagePath, streamName, create, mode);
}

// TIStorage

TIStorage::TIStorage(IStorage* parent, const std::string& path, bool create, int mode,
                     IStorage*& deepest) {
  deepest = nullptr;
  std::string first, rest;
  bool deeper = SplitStoragePath(path, first, rest);
  if (!parent || !IsValidStoragePath(path))
    return;
  const std::wstring name = AnsiToWide(first);
  HRESULT result = parent->OpenStorage(name.c_str(), nullptr, static_cast<DWORD>(mode), nullptr, 0,
                                       storage_.Out());
  if (CanCreate(result, create))
    result = parent->CreateStorage(name.c_str(), static_cast<DWORD>(mode | STGM_CREATE), 0, 0,
                                   storage_.Out());
  if (FAILED(result)) {
    storage_.Reset();
    return;
  }
  if (!deeper) {
    deepest = storage_.Get();
    open_ = true;
    return;
  }
  child_ = std::make_unique<TIStorage>(storage_.Get(), rest, create, mode, deepest);
  open_ = child_->IsOpen();
}

// TStorageStream

TStorageStream::TStorageStream(IStorage* parent, const std::string& storagePath,
                               const std::string& streamName, bool create, int mode) {
  IStorage* storage = parent;
  if (!storagePath.empty()) {
    chain_ = std::make_unique<TIStorage>(parent, storagePath, create, mode, storage);
    if (!chain_->IsOpen())
      return;
  }
  if (!storage || !IsValidStreamName(streamName))
    return;
  const std::wstring name = AnsiToWide(streamName);
  HRESULT result =
      storage->OpenStream(name.c_str(), nullptr, static_cast<DWORD>(mode), 0, stream_.Out());
  if (CanCreate(result, create))
    result = storage->CreateStream(name.c_str(), static_cast<DWORD>(mode | STGM_CREATE), 0, 0,
                                   stream_.Out());
  if (FAILED(result))
    stream_.Reset();
}

// Routines

bool SplitStoragePath(const std::string& path, std::string& first, std::string& rest) {
  size_t separator = sjis::FindChar(path, '\\');
  if (separator == std::string::npos) {
    first = path;
    rest.clear();
  } else {
    first = path.substr(0, separator);
    rest = path.substr(separator + 1);
  }
  return !rest.empty();
}

bool IsValidStoragePath(const std::string& path) {
  if (path.empty())
    return false;
  size_t start = 0;
  for (size_t separator = sjis::FindChar(path, '\\'); separator != std::string::npos;
       separator = sjis::FindChar(path, '\\', start)) {
    if (separator == start)
      return false;
    start = separator + 1;
  }
  return start < path.size();
}

bool IsValidStreamName(const std::string& name) {
  return !name.empty() && sjis::FindChar(name, '\\') == std::string::npos;
}

uint32_t GetStreamSize(IStream* stream) {
  ULARGE_INTEGER end{};
  LARGE_INTEGER zero{};
  if (FAILED(stream->Seek(zero, STREAM_SEEK_END, &end)))
    return 0;
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  return static_cast<uint32_t>(end.QuadPart);
}

std::string ReadWholeStream(IStream* stream) {
  uint32_t size = GetStreamSize(stream);
  if (size == 0)
    return {};
  std::string buffer(size, '\0');
  ULONG read = 0;
  if (FAILED(stream->Read(buffer.data(), size, &read)))
    return {};
  buffer.resize(read);
  return buffer.substr(0, buffer.find('\0'));
}

bool WriteWholeStream(IStream* stream, const std::string& text) {
  LARGE_INTEGER zero{};
  ULONG written = 0;
  ULARGE_INTEGER size{};
  size.QuadPart = text.size();
  return SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr)) &&
         SUCCEEDED(stream->Write(text.data(), static_cast<ULONG>(text.size()), &written)) &&
         SUCCEEDED(stream->SetSize(size)) && written == text.size();
}

bool WriteStreamString(const std::string& fileName, const std::string& storagePath,
                       const std::string& streamName, const std::string& text) {
  // Refused names must not leave a new, empty file behind.
  if ((!storagePath.empty() && !IsValidStoragePath(storagePath)) || !IsValidStreamName(streamName))
    return false;
  TStorageFile file;
  if (!file.Open(fileName, true))
    return false;
  std::unique_ptr<TStorageStream> stream =
      file.OpenStream(storagePath, streamName, true, kStorageModeDefault);
  return stream->IsOpen() && WriteWholeStream(stream->Stream(), text);
}

std::string ReadStreamString(const std::string& fileName, const std::string& storagePath,
                             const std::string& streamName, const std::string& defaultText) {
  // Read-only and sharing the file with other readers: two processes reading one data file at
  // once must both succeed. Storages and streams inside are always opened exclusively.
  TStorageFile file;
  file.Mode = STGM_READ | STGM_SHARE_DENY_WRITE;
  if (!file.Open(fileName, false))
    return defaultText;
  std::unique_ptr<TStorageStream> stream =
      file.OpenStream(storagePath, streamName, false, STGM_READ | STGM_SHARE_EXCLUSIVE);
  return stream->IsOpen() ? ReadWholeStream(stream->Stream()) : defaultText;
}

bool IsStorageFile(const std::string& fileName) {
  return StgIsStorageFile(AnsiToWide(fileName).c_str()) == S_OK;
}

} // namespace quolin
