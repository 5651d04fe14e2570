// SPDX-License-Identifier: MIT
#include "videoprobe.h"

#include <cstdio>
#include <sstream>

namespace orvex::test {

namespace {

// Single quotes keep the shell from reading the path.
std::string Quoted(const std::filesystem::path &file)
{
    std::string quoted = "'";
    for (const char c : file.string())
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The command's standard output; status its exit status.
std::string Run(const std::string &command, int &status)
{
    std::string output;
    FILE *pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return output;
    }
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    status = ::pclose(pipe);
    return output;
}

} // namespace

bool HaveFFmpegTools()
{
    int status = 0;
    Run("command -v ffprobe >/dev/null && command -v ffmpeg >/dev/null", status);
    return status == 0;
}

ProbedVideo Probe(const std::filesystem::path &file)
{
    int status = 0;
    std::istringstream lines(Run("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                 "stream=codec_name,width,height,r_frame_rate,nb_read_frames,"
                                 "color_range,color_space,color_primaries,color_transfer -of default=nw=1 "
                                 + Quoted(file),
                                 status));
    ProbedVideo video;
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "codec_name")
            video.codec = value;
        else if (key == "width")
            video.width = std::stoi(value);
        else if (key == "height")
            video.height = std::stoi(value);
        else if (key == "r_frame_rate")
            video.rate = value;
        else if (key == "nb_read_frames")
            video.frames = std::stoll(value);
        else if (key == "color_range")
            video.colourRange = value;
        else if (key == "color_space")
            video.colourMatrix = value;
        else if (key == "color_primaries")
            video.colourPrimaries = value;
        else if (key == "color_transfer")
            video.colourTransfer = value;
    }
    const std::string errors = Run("ffmpeg -v error -i " + Quoted(file) + " -f null - 2>&1", status);
    video.decodesCleanly = status == 0 && errors.empty();
    return video;
}

std::string DecodedBgr(const std::filesystem::path &file)
{
    return Decoded(file, "bgr24");
}

std::string Decoded(const std::filesystem::path &file, const std::string &pixelFormat)
{
    int status = 0;
    return Run("ffmpeg -v error -i " + Quoted(file) + " -f rawvideo -pix_fmt " + pixelFormat + " -", status);
}

} // namespace orvex::test
