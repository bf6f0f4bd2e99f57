// Saving through the file layer: the atomic save of the program's own files and the plain
// in-place write of the bridge batch. Depends only on the Files interface.
#include "model/files.h"

#include "text/sjis.h"

namespace tabvane {

namespace {

// The failed save, with the system's words read before anything else can replace them.
SaveResult Failed(Files& files) { return {false, files.FailureText()}; }

}  // namespace

SaveResult SaveAtomically(Files& files, const std::string& path, std::string_view bytes) {
  // Only a file of the same length can hold these bytes already: another length needs no read.
  const std::optional<FileStamp> stamp = files.Stamp(path);
  if (stamp && stamp->size == bytes.size()) {
    const ReadResult current = files.Read(path);
    if (current.opened && current.complete && current.bytes == bytes) return {true, {}};
  }
  const std::string temp = path + ".tmp";
  SaveResult result = WriteInPlace(files, temp, bytes);
  // The temporary file is closed by now, so it can be moved or removed. The old file stays
  // whole between the tries: each replace happens in one step or not at all.
  for (int tried = 1; result.ok && !files.Replace(temp, path); ++tried) {
    if (tried == kReplaceTries || !files.FailureIsMomentary()) {
      result = Failed(files);
      break;
    }
    files.Pause(kReplacePauseMs);
  }
  if (!result.ok) files.Remove(temp);
  return result;
}

bool CreateFolders(Files& files, std::string_view folder) {
  if (folder.empty() || files.FolderExists(std::string(folder))) return !folder.empty();
  // The parent first: the folder part of the path without its last separator.
  std::string_view parent = folder;
  if (FolderPartLength(parent) == parent.size()) parent.remove_suffix(1);
  parent = FolderPart(parent);
  if (!parent.empty() && parent.size() < folder.size() && !CreateFolders(files, parent)) {
    return false;
  }
  return files.CreateFolder(std::string(folder)) || files.FolderExists(std::string(folder));
}

SaveResult WriteInPlace(Files& files, const std::string& path, std::string_view bytes) {
  const std::unique_ptr<WriteHandle> handle = files.Create(path);
  if (!handle) return Failed(files);
  if (!handle->Write(bytes)) {
    SaveResult result = Failed(files);
    handle->Close();
    return result;
  }
  if (!handle->Close()) return Failed(files);
  return {true, {}};
}

}  // namespace tabvane
