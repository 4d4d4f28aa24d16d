// From a note's attenuation step to the MIDI velocity that plays it as loud.
//
// An attenuation step n scales a recorded clip by the gain 1.0 - 0.11 x (n - 1)
// (step 1 is full level; steps 1 to 9 are in use). The clips are recorded at
// velocity 100, so step 1 is velocity 100 and every further step is the
// velocity at which the bank's piano (FluidR3 GM, acoustic grand) sounds as
// much quieter as the gain makes the clip. Measured loudest-key peaks of that
// piano by velocity (dBFS): 40 -> -30, 64 -> -21, 100 -> -14, 127 -> -10. The
// curve interpolates those points linearly in dB (and extends the lowest
// segment below velocity 40), so
//   step:      1    2    3    4    5    6    7    8    9
//   gain:   1.00 0.89 0.78 0.67 0.56 0.45 0.34 0.23 0.12
//   velocity: 100   95   89   82   74   64   58   49   34
// Gains too small for the curve (step 10, -40 dB) and gains of zero or less
// (step 11 and beyond) give velocity 1, the quietest note that still sounds.
#pragma once

namespace brisolt::midi {

// The gain of attenuation step `step`; a step of 1 or less gives 1.0.
double gainOfAttenuationStep(int step);

// The velocity (1..127) that plays a clip of attenuation step `step`.
int velocityForAttenuationStep(int step);

}  // namespace brisolt::midi
