// Saving through the file layer: the atomic save of the program's own files and the plain
// in-place write of the bridge batch. Depends only on the Files interface.
#include "model/files.h"

namespace tabvane {

namespace {

// The failed save, with the system's words read before anything else can replace them.
SaveResult Failed(Files& files) { return {false, files.FailureText()}; }

}  // namespace

SaveResult SaveAtomically(Files& files, const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".tmp";
  SaveResult result = WriteInPlace(files, temp, bytes);
  // The temporary file is closed by now, so it can be moved or removed.
  if (result.ok && !files.Replace(temp, path)) result = Failed(files);
  if (!result.ok) files.Remove(temp);
  return result;
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
