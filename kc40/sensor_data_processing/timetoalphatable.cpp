#include "timetoalphatable.h"

namespace {

constexpr float alphaValues[60] = {
    0.895f,  0.648f,  0.475f,  0.362f,  0.285f,  0.23f,   0.19f,   0.159f,  0.135f,  0.115f,
    0.099f,  0.0856f, 0.0742f, 0.0644f, 0.0556f, 0.0476f, 0.0399f, 0.0306f, 0.0285f, 0.0279f,
    0.0256f, 0.0252f, 0.0251f, 0.024f,  0.023f,  0.022f,  0.021f,  0.0205f, 0.02f,   0.0195f,
    0.019f,  0.0185f, 0.018f,  0.0175f, 0.017f,  0.0165f, 0.016f,  0.0155f, 0.015f,  0.0145f,
    0.014f,  0.0135f, 0.013f,  0.0125f, 0.012f,  0.0115f, 0.011f,  0.0105f, 0.01f,   0.0095f,
    0.009f,  0.0085f, 0.008f,  0.0075f, 0.007f,  0.0065f, 0.006f,  0.0055f, 0.005f,  0.0045f,
};

constexpr int kOutsideTableSeconds = 16;

} // namespace

float TimeToAlphaTable::getAlpha(int seconds) {
    if (seconds == 0) {
        return 1.0f;
    }
    if (seconds < 1 || seconds > 60) {
        seconds = kOutsideTableSeconds;
    }
    return alphaValues[seconds - 1];
}
