// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Outcome of a file operation. The message texts are the ones the user sees, in a message box
// titled "ERROR" in the window and on stderr from the command line.

#include <QString>

namespace ktv4 {

enum class FileStatus { Ok, DataError, FileOpenError };

struct FileResult {
    FileStatus status = FileStatus::Ok;
    QString detail; // why, for the curious (the OS error, the line that failed); may be empty

    bool ok() const { return status == FileStatus::Ok; }
};

// "Data Error", "File Open Error"; empty for Ok.
QString messageText(FileStatus status);

} // namespace ktv4
