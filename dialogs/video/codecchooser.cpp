// SPDX-License-Identifier: MIT
#include "codecchooser.h"

#include "ui_codecchooser.h"
#include "videocodecs.h"

#include <QPushButton>

#include <algorithm>

namespace orvex {

CodecChooser::CodecChooser(std::string_view container, int32_t height, const VideoCompression &initial,
                           QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmCodecChooser>()), offered_(OfferedVideoCodecs(container, height))
{
    ui_->setupUi(this);
    for (const VideoCodec *codec : offered_)
        ui_->cboCompressor->addItem(QString::fromUtf8(codec->label.data(), qsizetype(codec->label.size())));
    const VideoCodec *fallback = DefaultVideoCodec(container, height);
    const auto kept = std::find_if(offered_.begin(), offered_.end(),
                                   [&](const VideoCodec *codec) { return codec->fourcc == initial.fourcc; });
    const auto chosen = kept != offered_.end() ? kept : std::find(offered_.begin(), offered_.end(), fallback);
    ui_->cboCompressor->setCurrentIndex(chosen == offered_.end() ? 0 : int(chosen - offered_.begin()));
    // The note's room is kept while it is hidden, so that the buttons never move under it.
    QSizePolicy keepRoom = ui_->lblLossless->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    ui_->lblLossless->setSizePolicy(keepRoom);
    ShowLeftOut(container, height);
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
    ui_->spnKeyFrames->setEnabled(codec != nullptr && codec->keyFrames);
    ui_->lblLossless->setVisible(lossless);
}

void CodecChooser::ShowLeftOut(std::string_view container, int32_t height)
{
    QStringList notes;
    for (const VideoCodec &codec : KnownVideoCodecs()) {
        // Named only when another height would bring it: the build or the container
        // leaving a codec out is nothing the user can change here.
        if (!codec.evenHeight || height % 2 == 0 || !WhyNotOffered(codec, container, height + 1).empty())
            continue;
        notes << QString::fromStdString("Not offered: " + WhyNotOffered(codec, container, height) + ".");
    }
    ui_->lblNotOffered->setText(notes.join("\n"));
    ui_->lblNotOffered->setVisible(!notes.isEmpty());
}

} // namespace orvex
