// Writes the alarm sound the old program plays every second once its alarm has gone
// off: a soft two-note chime, 16-bit PCM mono, well under a second so that one chime
// has died away before the next. Run by hand (target "sounds"); the WAV is committed.
//
//   tavrik_sounds <Beep.wav> [waveform.png]

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 0.8;
constexpr double kPeak = 0.7; // of full scale, about -3 dBFS
constexpr double kPi = 3.14159265358979323846;

struct Partial {
    double ratio;     // of the note's frequency
    double amplitude;
    double decay;     // seconds to fall to 1/e
};

// A soft bell: a strong fundamental, quiet overtones that die away faster.
constexpr Partial kPartials[] = {
    {1.0, 1.0, 0.30},
    {2.0, 0.30, 0.15},
    {3.0, 0.10, 0.08},
    {4.2, 0.05, 0.05},
};

struct Strike {
    double start;     // seconds
    double frequency; // Hz
    double level;
};

// "Ding-dong": A5, then F5 a major third lower.
constexpr Strike kStrikes[] = {
    {0.0, 880.0, 0.9},
    {0.22, 698.46, 1.0},
};

constexpr double kAttack = 0.003; // no click at the strike
constexpr double kFadeOut = 0.06; // ends on silence

std::vector<double> render()
{
    const int n = int(kRate * kSeconds);
    std::vector<double> out(size_t(n), 0.0);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        double v = 0;
        for (const Strike &s : kStrikes) {
            const double u = t - s.start;
            if (u < 0)
                continue;
            const double attack = u < kAttack ? 0.5 - 0.5 * std::cos(kPi * u / kAttack) : 1.0;
            for (const Partial &p : kPartials)
                v += s.level * attack * p.amplitude * std::exp(-u / p.decay) *
                     std::sin(2 * kPi * s.frequency * p.ratio * u);
        }
        const double left = kSeconds - t;
        if (left < kFadeOut)
            v *= 0.5 - 0.5 * std::cos(kPi * left / kFadeOut);
        out[size_t(i)] = v;
    }
    double peak = 0;
    for (double v : out)
        peak = std::max(peak, std::fabs(v));
    for (double &v : out)
        v *= kPeak / peak;
    return out;
}

void put16(QByteArray &b, uint16_t v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

void put32(QByteArray &b, uint32_t v)
{
    put16(b, uint16_t(v & 0xFFFF));
    put16(b, uint16_t(v >> 16));
}

QByteArray wav(const std::vector<int16_t> &samples)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    QByteArray b;
    b.append("RIFF");
    put32(b, 36 + dataBytes);
    b.append("WAVE");
    b.append("fmt ");
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, 1); // mono
    put32(b, kRate);
    put32(b, kRate * 2);
    put16(b, 2);
    put16(b, 16);
    b.append("data");
    put32(b, dataBytes);
    for (int16_t s : samples)
        put16(b, uint16_t(s));
    return b;
}

// The waveform, to look at: on top the whole sound (least and greatest sample of
// each column, a line every 0.1 s, full scale in red and the peak in green); below,
// three stretches sample by sample: the first strike, the second, and the end.
QImage waveform(const std::vector<int16_t> &samples, int peak)
{
    const int w = 1200, top = 300, zoom = 240, h = top + zoom;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const auto axes = [&](const QRect &r, double seconds, double gridStep) {
        const double scale = (r.height() / 2 - 6) / 32768.0;
        p.setPen(QColor(220, 220, 220));
        for (int k = 1; k * gridStep < seconds; ++k) {
            const int x = r.left() + int(k * gridStep / seconds * r.width());
            p.drawLine(x, r.top(), x, r.bottom());
        }
        const int mid = r.center().y();
        p.setPen(QColor(255, 160, 160));
        p.drawLine(r.left(), mid - int(32767 * scale), r.right(), mid - int(32767 * scale));
        p.drawLine(r.left(), mid + int(32767 * scale), r.right(), mid + int(32767 * scale));
        p.setPen(QColor(120, 200, 120));
        p.drawLine(r.left(), mid - int(peak * scale), r.right(), mid - int(peak * scale));
        p.drawLine(r.left(), mid + int(peak * scale), r.right(), mid + int(peak * scale));
        p.setPen(QColor(160, 160, 160));
        p.drawLine(r.left(), mid, r.right(), mid);
        p.drawRect(r);
        return scale;
    };
    const size_t n = samples.size();
    QRect all(0, 0, w - 1, top - 1);
    double scale = axes(all, kSeconds, 0.1);
    p.setPen(QColor(20, 60, 170));
    for (int x = 0; x < all.width(); ++x) {
        const size_t a = n * size_t(x) / size_t(all.width());
        const size_t b = std::max(a + 1, n * size_t(x + 1) / size_t(all.width()));
        int lo = 0, hi = 0;
        for (size_t i = a; i < b && i < n; ++i) {
            lo = std::min<int>(lo, samples[i]);
            hi = std::max<int>(hi, samples[i]);
        }
        p.drawLine(x, all.center().y() - int(hi * scale), x, all.center().y() - int(lo * scale));
    }
    const double from[3] = {0.0, kStrikes[1].start - 0.004, kSeconds - 0.02};
    for (int k = 0; k < 3; ++k) {
        const QRect r(k * w / 3, top, w / 3 - 1, zoom - 1);
        scale = axes(r, 0.02, 0.005);
        p.setPen(QColor(20, 60, 170));
        const size_t a = size_t(from[k] * kRate), b = std::min(n, a + size_t(0.02 * kRate));
        QPointF last;
        for (size_t i = a; i < b; ++i) {
            const QPointF pt(r.left() + double(i - a) / (0.02 * kRate) * r.width(), r.center().y() - samples[i] * scale);
            if (i > a)
                p.drawLine(last, pt);
            last = pt;
        }
    }
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <Beep.wav> [waveform.png]\n", argv[0]);
        return 2;
    }
    const std::vector<double> sound = render();
    std::vector<int16_t> samples;
    samples.reserve(sound.size());
    int peak = 0;
    for (double v : sound) {
        const int s = int(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
        samples.push_back(int16_t(s));
        peak = std::max(peak, std::abs(s));
    }
    const QByteArray bytes = wav(samples);
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    out.close();
    std::printf("%s: %lld bytes, %zu samples at %d Hz (%.3f s), 16-bit mono, peak %d (%.1f dBFS), "
                "first %d, last %d\n",
                argv[1], (long long)bytes.size(), samples.size(), kRate, double(samples.size()) / kRate, peak,
                20 * std::log10(peak / 32767.0), samples.front(), samples.back());
    if (argc == 3 && !waveform(samples, peak).save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
