// Compound (OLE structured storage) files: a file object, chains of nested storages reached by
// a "\"-separated path, and streams in the deepest storage. Names go to the platform as UTF-16;
// stream content is raw bytes. Paths with an empty part (a leading, doubled or trailing "\")
// and stream names that are empty or hold "\" are refused, so that every storage is opened
// level by level.
#pragma once

#include "common/ComPtr.h"
#include "core/Persistent.h"

#include <objidl.h>

#include <cstdint>
#include <memory>
#include <string>

namespace quolin {

// Read-write with exclusive sharing (18). STGM_CREATE is added only for a missing object.
inline constexpr int kStorageModeDefault = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

class TStorageStream;

class TStorageFile : public TObject {
public:
  int Mode = kStorageModeDefault;

  TStorageFile() = default;
  ~TStorageFile() override;
  TStorageFile(const TStorageFile&) = delete;
  TStorageFile& operator=(const TStorageFile&) = delete;

  // An existing compound file opens with Mode; a missing one is created when create is set.
  // A file that exists but is no compound file is left alone and gives false.
  bool Open(const std::string& fileName, bool create = true);
  void Close();
  bool IsOpen() const { return static_cast<bool>(root_); }
  IStorage* RootStorage() const { return root_.Get(); }

  // Null when the file is not open; otherwise a stream object whose IsOpen tells success.
  std::unique_ptr<TStorageStream> OpenStream(const std::string& storagePath,
                                             const std::string& streamName, bool create,
                                             int mode) const;

private:
  TComPtr<IStorage> root_;
};

// One level of a storage path; the next level is its child.
class TIStorage : public TObject {
public:
  // deepest receives the storage of the last level, or null when a level did not open.
  TIStorage(IStorage* parent, const std::string& path, bool create, int mode, IStorage*& deepest);
  TIStorage(const TIStorage&) = delete;
  TIStorage& operator=(const TIStorage&) = delete;

  // This level and every deeper one opened.
  bool IsOpen() const { return open_; }
  IStorage* Storage() const { return storage_.Get(); }

private:
  // Declared first, released last: a child goes before its parent.
  TComPtr<IStorage> storage_;
  std::unique_ptr<TIStorage> child_;
  bool open_ = false;
};

class TStorageStream : public TObject {
public:
  // An empty path names the parent itself.
  TStorageStream(IStorage* parent, const std::string& storagePath, const std::string& streamName,
                 bool create, int mode);
  TStorageStream(const TStorageStream&) = delete;
  TStorageStream& operator=(const TStorageStream&) = delete;

  bool IsOpen() const { return static_cast<bool>(stream_); }
  IStream* Stream() const { return stream_.Get(); }

private:
  std::unique_ptr<TIStorage> chain_;
  TComPtr<IStream> stream_;
};

// The part before the first "\" and everything after it; true when the rest is not empty.
bool SplitStoragePath(const std::string& path, std::string& first, std::string& rest);
// Non-empty, without an empty part.
bool IsValidStoragePath(const std::string& path);
bool IsValidStreamName(const std::string& name);

// The size in bytes; the stream is left at its start.
uint32_t GetStreamSize(IStream* stream);
// The content up to its first zero byte.
std::string ReadWholeStream(IStream* stream);
// Replaces the whole content; true when every byte was written.
bool WriteWholeStream(IStream* stream, const std::string& text);

// One stream's whole content, creating the file, storages and stream as needed.
bool WriteStreamString(const std::string& fileName, const std::string& storagePath,
                       const std::string& streamName, const std::string& text);
// The content, or defaultText when the file, a storage or the stream is missing; creates
// nothing.
std::string ReadStreamString(const std::string& fileName, const std::string& storagePath,
                             const std::string& streamName, const std::string& defaultText);
bool IsStorageFile(const std::string& fileName);

} // namespace quolin
