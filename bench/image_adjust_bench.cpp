#include "model/ImageProcesser.h"

#include <benchmark/benchmark.h>

namespace {

// A 1000 x 1000 picture with gradients and some transparency.
Picture sourcePicture()
{
    QImage image(1000, 1000, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgba(x % 256, y % 256, (x + y) % 256, (x / 100 + y / 100) % 3 ? 255 : 128);
    }
    return Picture(image, QSizeF(1000, 1000));
}

ImageAdjustments allSteps(int rotate)
{
    ImageAdjustments s;
    s.gray_Scale = true;
    s.Sepia = true;
    s.invert_clr = true;
    s.hue_val = 0.5f;
    s.sat_val = 1.2f;
    s.brt_val = 0.05f;
    s.con_val = 1.1f;
    s.srp_val = 0.4f;
    s.blr_val = 4.0f;
    s.ev_val = 0.3f;
    s.rotate = rotate;
    return s;
}

}

static void BM_FullChain(benchmark::State& state)
{
    const Picture picture = sourcePicture();
    const ImageAdjustments settings = allSteps(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageProcesser::Get_Processed_Image(picture, settings));
}
BENCHMARK(BM_FullChain)->Arg(0)->Arg(90)->Arg(30)->Unit(benchmark::kMillisecond);

static void BM_DefaultChain(benchmark::State& state)
{
    const Picture picture = sourcePicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageProcesser::Get_Processed_Image(picture, ImageAdjustments()));
}
BENCHMARK(BM_DefaultChain);

static void BM_ColourStep(benchmark::State& state)
{
    const Picture picture = sourcePicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageProcesser::adjust_Color_Control(picture, 1.2f, 0.05f, 1.1f));
}
BENCHMARK(BM_ColourStep)->Unit(benchmark::kMillisecond);

static void BM_BoxBlur(benchmark::State& state)
{
    const Picture picture = sourcePicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageProcesser::adjust_boxBlur(picture, float(state.range(0))));
}
BENCHMARK(BM_BoxBlur)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

static void BM_Sharpness(benchmark::State& state)
{
    const Picture picture = sourcePicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageProcesser::adjust_Sharpness(picture, 0.4f));
}
BENCHMARK(BM_Sharpness)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
