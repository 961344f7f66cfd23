// SPDX-License-Identifier: MIT
#include "Apca.h"

#include <cmath>

namespace Apca {

namespace {

// The screen's luminance: a plain 2.4 power on each channel, no linear toe.
constexpr double Exponent = 2.4;
constexpr double RedWeight = 0.2126729;
constexpr double GreenWeight = 0.7151522;
constexpr double BlueWeight = 0.0721750;

// Near-black luminances are lifted softly, for the flare of a real screen.
constexpr double BlackThreshold = 0.022;
constexpr double BlackClamp = 1.414;
constexpr double MinimumDifference = 0.0005;

// Dark text on light (normal polarity) and light text on dark (reverse).
constexpr double NormalBackground = 0.56;
constexpr double NormalText = 0.57;
constexpr double ReverseBackground = 0.65;
constexpr double ReverseText = 0.62;
constexpr double Scale = 1.14;
constexpr double Offset = 0.027;
constexpr double LowClip = 0.1;

double Channel(int level)
{
    return std::pow(level / 255.0, Exponent);
}

double ScreenLuminance(Colour::Rgb8 colour)
{
    const double y = RedWeight * Channel(colour.red) + GreenWeight * Channel(colour.green) +
                     BlueWeight * Channel(colour.blue);
    return y >= BlackThreshold ? y : y + std::pow(BlackThreshold - y, BlackClamp);
}

} // namespace

double Lc(Colour::Rgb8 text, Colour::Rgb8 background)
{
    const double textY = ScreenLuminance(text);
    const double backgroundY = ScreenLuminance(background);
    if (std::abs(backgroundY - textY) < MinimumDifference) {
        return 0;
    }
    if (backgroundY > textY) {
        const double s =
            (std::pow(backgroundY, NormalBackground) - std::pow(textY, NormalText)) * Scale;
        return s < LowClip ? 0 : (s - Offset) * 100;
    }
    const double s =
        (std::pow(backgroundY, ReverseBackground) - std::pow(textY, ReverseText)) * Scale;
    return s > -LowClip ? 0 : (s + Offset) * 100;
}

QString Figure(double lc)
{
    return QString::number(std::trunc(lc * 10) / 10, 'f', 1);
}

} // namespace Apca
