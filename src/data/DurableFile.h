#pragma once

#include <QString>

#include <functional>

class QFileDevice;

// The one way a file is put in place: its bytes are flushed to the disk, one rename puts it over
// the target, and the folder is flushed so that the rename itself survives a power cut. A reader
// then finds either the old file or the complete new one under the target's name.
namespace DurableFile {

// Pushes the written bytes of an open file to the disk.
bool flush(QFileDevice& file);
// Pushes the bytes of the closed file at path to the disk.
bool flush(const QString& path);
// Pushes the folder's entries (a rename, a new or removed name) to the disk.
bool flushFolder(const QString& folder);

// Flushes from, renames it over to (replacing a file already there) and flushes the folder.
// On failure returns false and puts the platform's reason into error; from is left in place.
bool replace(const QString& from, const QString& to, QString* error = nullptr);

// Test seam: when set, told of every step taken, in order: "flush PATH", "rename FROM TO",
// "folder PATH".
void setTrace(std::function<void(const QString& step)> trace);

} // namespace DurableFile
