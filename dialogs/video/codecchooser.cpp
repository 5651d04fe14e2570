#include "codecchooser.h"

#include "ui_codecchooser.h"
#include "videocodecs.h"

#include <QPushButton>

#include <algorithm>

namespace orvex {

CodecChooser::CodecChooser(std::vector<const VideoCodec *> offered, const VideoCompression &initial, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmCodecChooser>()), offered_(std::move(offered))
{
    ui_->setupUi(this);
    for (const VideoCodec *codec : offered_)
        ui_->cboCompressor->addItem(QString::fromUtf8(codec->label.data(), qsizetype(codec->label.size())));
    const auto kept = std::find_if(offered_.begin(), offered_.end(),
                                   [&](const VideoCodec *codec) { return codec->fourcc == initial.fourcc; });
    ui_->cboCompressor->setCurrentIndex(kept == offered_.end() ? 0 : int(kept - offered_.begin()));
    ui_->spnKeyFrames->setMaximum(VideoCompression::kMostKeyFrameEvery);
    ui_->spnQuality->setValue(initial.quality);
    ui_->spnKeyFrames->setValue(initial.keyFrameEvery);
    ui_->cmdOK->setEnabled(!offered_.empty());
    ShowCodecSettings();
    connect(ui_->cboCompressor, &QComboBox::currentIndexChanged, this, &CodecChooser::ShowCodecSettings);
    connect(ui_->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CodecChooser::~CodecChooser() = default;

const VideoCodec *CodecChooser::Codec() const
{
    const int index = ui_->cboCompressor->currentIndex();
    return index >= 0 && size_t(index) < offered_.size() ? offered_[size_t(index)] : nullptr;
}

VideoCompression CodecChooser::Choice() const
{
    const VideoCodec *codec = Codec();
    return {codec != nullptr ? codec->fourcc : 0u, ui_->spnQuality->value(), ui_->spnKeyFrames->value()};
}

void CodecChooser::ShowCodecSettings()
{
    const VideoCodec *codec = Codec();
    const bool lossless = codec != nullptr && codec->lossless;
    ui_->spnQuality->setEnabled(!lossless);
    ui_->spnKeyFrames->setEnabled(!lossless);
    ui_->lblLossless->setVisible(lossless);
}

} // namespace orvex
