// Saving through the file layer: the atomic save of the program's own files and the plain
// in-place write of the bridge batch. Depends only on the Files interface.
#include "model/files.h"

namespace tabvane {

bool SaveAtomically(Files& files, const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".tmp";
  std::unique_ptr<WriteHandle> handle = files.Create(temp);
  if (!handle) {
    files.Remove(temp);
    return false;
  }
  const bool written = handle->Write(bytes);
  const bool closed = handle->Close();
  handle.reset();  // the temporary file must be closed before it can be removed or moved
  if (!written || !closed || !files.Replace(temp, path)) {
    files.Remove(temp);
    return false;
  }
  return true;
}

bool WriteInPlace(Files& files, const std::string& path, std::string_view bytes) {
  std::unique_ptr<WriteHandle> handle = files.Create(path);
  if (!handle) return false;
  const bool written = handle->Write(bytes);
  const bool closed = handle->Close();
  return written && closed;
}

}  // namespace tabvane
