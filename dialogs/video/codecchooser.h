#pragma once
// The compression choice for video files, in place of Video for Windows' compression
// dialog: the encoders this FFmpeg build offers for the file's container, a quality and
// a key-frame interval. The initial choice is the last one kept.

#include "videocompression.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class frmCodecChooser;
}

namespace orvex {

struct VideoCodec;

class CodecChooser final : public QDialog {
    Q_OBJECT
public:
    // offered: in list order; the initial codec, or else the first, is selected.
    CodecChooser(std::vector<const VideoCodec *> offered, const VideoCompression &initial, QWidget *parent = nullptr);
    ~CodecChooser() override;

    // The codec (never null once accepted) and its settings.
    const VideoCodec *Codec() const;
    VideoCompression Choice() const;

private:
    void ShowCodecSettings();

    std::unique_ptr<Ui::frmCodecChooser> ui_;
    std::vector<const VideoCodec *> offered_;
};

} // namespace orvex
