#pragma once
// Carries a cZip job out through the zip archive layer: finds the files its file patterns name,
// adds, replaces or removes their entries by the job's options, and raises the job's events.

#include <QString>

namespace dc {

class cZip;

enum class ZipAction { Add, Delete };

// Runs the job; throws AppError with the reason when the archive cannot be written or a named
// file does not exist.
void VBZip(cZip& job, ZipAction action);

}  // namespace dc
