// A folder of the test process's own for the files its tests make. testing::TempDir() names it
// for as long as the object lives; the folder and everything in it go with the object, so test
// runs leave nothing behind in the system's temporary folder.
#pragma once

#include <filesystem>

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

  private:
    std::filesystem::path path_; // empty when the folder could not be made
};
