#pragma once
// Carries a cZip job out through the zip archive layer: finds the files (or folders' files) it names and
// writes them into a new archive, each under its file name.

namespace dc {

class cZip;

// Runs the job; throws AppError with the reason when the archive cannot be written or a named
// file does not exist.
void VBZip(const cZip& job);

}  // namespace dc
