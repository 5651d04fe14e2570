// SPDX-License-Identifier: MIT
// Time of one setting read and one setting write on a small (2 KB) and on a large
// (10 MB) settings file: the first read of a store (which parses the file), a further
// read while the file stays as it is, and a write. Figures are medians; the files live in
// a temporary folder of their own, never in the user's settings.
#include "settingsstore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A file of the given size made of ordinary "Name=Text" lines in a few sections.
std::string SettingsText(size_t size)
{
    std::string text = "; Orvex Lumora settings of the current user.\n";
    for (int line = 0; text.size() < size; ++line) {
        if (line % 100 == 0)
            text += "\n[SOFTWARE\\Orvex\\Lumora\\Bench" + std::to_string(line / 100) + "]\n";
        text += "Value_" + std::to_string(line) + "=" + std::string(40, 'a' + line % 26) + "\n";
    }
    return text;
}

template <typename Body>
double MedianMilliseconds(int runs, Body body)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        body(i);
        samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void Measure(const std::filesystem::path &folder, const char *label, size_t size, int runs)
{
    const std::filesystem::path file = folder / (std::string(label) + ".reg");
    std::ofstream(file, std::ios::binary) << SettingsText(size);
    // A file just written is parsed again on every read until its time stamp settles.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    orvex::SettingsStore store(file);
    long sink = 0;
    const double first = MedianMilliseconds(runs, [&](int) {
        sink += orvex::SettingsStore(file).ReadSettingLong("Bench0", "Value_1", 0);
    });
    const double read = MedianMilliseconds(runs, [&](int) { sink += store.ReadSettingLong("Bench0", "Value_1", 0); });
    const double write = MedianMilliseconds(runs, [&](int i) { sink += store.WriteSetting("Bench0", "Counter", i); });
    std::printf("%-5s file (%zu bytes): first read %8.3f ms, read %8.3f ms, write %8.3f ms (median of %d)%s\n",
                label, std::filesystem::file_size(file), first, read, write, runs, sink < 0 ? "!" : "");
}

} // namespace

int main()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "orvex-settings-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = pattern;
    Measure(folder, "2KB", 2 * 1024, 201);
    Measure(folder, "10MB", 10 * 1024 * 1024, 11);
    std::filesystem::remove_all(folder);
    return 0;
}
