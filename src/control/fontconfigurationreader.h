#pragma once

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

// Reading the system's font configuration is the longest single step of a start, and it needs no
// display: a thread of its own reads it while the application connects to one. Qt finds it read
// when it first asks for a font. Without a thread to be had, Qt reads it then, as it otherwise
// would.
class FontConfigurationReader {
public:
    FontConfigurationReader() {
        try {
            thread_ = std::thread([] { FcInit(); });
        } catch (const std::system_error &) {
        }
    }
    FontConfigurationReader(const FontConfigurationReader &) = delete;
    FontConfigurationReader &operator=(const FontConfigurationReader &) = delete;
    ~FontConfigurationReader() { waitUntilRead(); }

    // Before the first font is asked for: Qt would otherwise read the configuration a second time
    // alongside this thread, and throw one copy away.
    void waitUntilRead() {
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::thread thread_;
};
