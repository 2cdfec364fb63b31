// A small file system of a test's own (tmpfs), when the machine lets the test mount one: a full
// disk or a read-only folder without touching anything else.
#pragma once

#include <sys/mount.h>

#include <filesystem>

class SmallMount {
  public:
    SmallMount(const std::filesystem::path& where, const char* options) : where_(where) {
        std::filesystem::create_directories(where_);
        mounted_ = mount("tmpfs", where_.c_str(), "tmpfs", 0, options) == 0;
    }
    ~SmallMount() {
        if (mounted_) umount(where_.c_str());
    }
    SmallMount(const SmallMount&) = delete;
    SmallMount& operator=(const SmallMount&) = delete;
    bool mounted() const { return mounted_; }

  private:
    std::filesystem::path where_;
    bool mounted_ = false;
};
