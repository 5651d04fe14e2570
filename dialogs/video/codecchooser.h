// SPDX-License-Identifier: MIT
#pragma once
// The compression choice for video files, in place of Video for Windows' compression
// dialog: the encoders this FFmpeg build offers for the file's container and frame
// height, a quality and a key-frame interval. The initial choice is the last one kept,
// else the container's default. A codec left out only for the frame height is named,
// with the reason.

#include "videocompression.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace Ui {
class frmCodecChooser;
}

namespace orvex {

struct VideoCodec;

class CodecChooser final : public QDialog {
    Q_OBJECT
public:
    // container: FFmpeg's name of the file's container.
    CodecChooser(std::string_view container, int32_t height, const VideoCompression &initial,
                 QWidget *parent = nullptr);
    ~CodecChooser() override;

    // The codec (never null once accepted) and its settings.
    const VideoCodec *Codec() const;
    VideoCompression Choice() const;

private:
    void ShowCodecSettings();
    void ShowLeftOut(std::string_view container, int32_t height);

    std::unique_ptr<Ui::frmCodecChooser> ui_;
    std::vector<const VideoCodec *> offered_;
};

} // namespace orvex
