// SPDX-License-Identifier: MIT
#pragma once
// The hue-cone picture (picHueWheel) with its five wedge lines: the median angle in
// black, the minimum wedge in blue, the maximum wedge in red.

#include "hueconepixels.h"

#include <QImage>
#include <QWidget>

namespace orvex {

class HueConePicture final : public QWidget {
    Q_OBJECT
public:
    explicit HueConePicture(QWidget *parent = nullptr);

    // Colours the disc for the settings; on an engine failure the disc stays empty.
    void DrawCone(EngineLibrary &engine, const HueWheelSettings &wheel, const ColourRuntime &colour);

    // The wedge lines as the colour fields give them: start angle, minimum and maximum
    // wedge, all in degrees.
    void ShowWedges(double startAngle, double wedgeMin, double wedgeMax);
    // The wedge of a running preview frame, in wheel units: the hue and its swing, no
    // maximum wedge.
    void ShowRunningWedge(double huePosition, int32_t hueSwing);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Wedges {
        double position = 0;
        double wedgeA = 0;
        double wedgeB = -1;
        bool inDegrees = true;
        bool showMax = true;
    };

    HueConePixels pixels_;
    QImage cone_;
    Wedges wedges_;
};

} // namespace orvex
