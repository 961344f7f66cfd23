// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

// Conversions between the colour spaces of CSS Color 4, in double precision,
// with the matrices of its sample conversion code. RGB components are 0 to 1
// and may lie outside that range; XYZ is relative to D65 unless a name says
// D50. Hues are in degrees.
namespace ColourSpaces {

using Colour::Triple;

// The sRGB transfer curve, extended to values outside 0-1 by keeping the sign.
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);

Triple LinearSrgbToXyz(const Triple& rgb);
Triple XyzToLinearSrgb(const Triple& xyz);
// display-p3 uses the sRGB transfer curve with its own primaries.
Triple LinearP3ToXyz(const Triple& rgb);
Triple XyzToLinearP3(const Triple& xyz);

// a98-rgb: a pure 563/256 power curve; prophoto-rgb: a 1.8 power with a
// linear toe, relative to D50; rec2020: the ITU-R BT.2020 curve. Each keeps
// the sign of values outside 0-1.
double A98ToLinear(double encoded);
double LinearToA98(double linear);
double ProphotoToLinear(double encoded);
double LinearToProphoto(double linear);
double Rec2020ToLinear(double encoded);
double LinearToRec2020(double linear);
Triple LinearA98ToXyz(const Triple& rgb);
Triple XyzToLinearA98(const Triple& xyz);
Triple LinearProphotoToXyzD50(const Triple& rgb);
Triple XyzD50ToLinearProphoto(const Triple& xyz);
Triple LinearRec2020ToXyz(const Triple& rgb);
Triple XyzToLinearRec2020(const Triple& xyz);

// Bradford chromatic adaptation between the D65 and D50 white points.
Triple D65ToD50(const Triple& xyz);
Triple D50ToD65(const Triple& xyz);

// CIE Lab, relative to D50: L 0 to 100.
Triple XyzD50ToLab(const Triple& xyz);
Triple LabToXyzD50(const Triple& lab);

// Oklab, relative to D65: L 0 to 1.
Triple XyzToOklab(const Triple& xyz);
Triple OklabToXyz(const Triple& oklab);
Triple LinearSrgbToOklab(const Triple& rgb);
Triple OklabToLinearSrgb(const Triple& oklab);

// Rectangular (L, a, b) to polar (L, chroma, hue 0 to 360) and back; used for
// both LCH and OKLCH. A zero chroma gives hue 0.
Triple ToPolar(const Triple& lab);
Triple FromPolar(const Triple& lch);

// Hue in degrees brought into 0 (included) to 360 (excluded).
double NormalHue(double degrees);

// HSL and HWB: hue in degrees, the other two in percent; RGB gamma-encoded.
// The RGB results are not clipped. A grey gives hue 0.
Triple HslToSrgb(const Triple& hsl);
Triple SrgbToHsl(const Triple& rgb);
Triple HwbToSrgb(const Triple& hwb);
Triple SrgbToHwb(const Triple& rgb);

// Colour difference in Oklab: the Euclidean distance.
double DeltaEOK(const Triple& oklab1, const Triple& oklab2);

} // namespace ColourSpaces
