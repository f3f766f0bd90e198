// Measures, from outside a program, when a map first shows on an X screen and how much memory the program held.
//
//   mapcatalogue_probe [--key KEY] [--psnr DB] [--opens N] [--settle MS] [--next] [--steps N] [--zoom-out N]
//                      -- PROGRAM ARGS...
//
// Without --key the clock starts when PROGRAM is started (feh and qimgv open the file named on their command line).
// With --key the probe waits until PROGRAM's screen is steady, then starts the clock and sends KEY with xdotool
// (mapcatalogue: Return opens the chosen map); the clock therefore includes xdotool's own start. The map is taken as
// shown when most sample points in the middle of the screen have the generated maps' parchment colour; with --psnr DB
// (a progressive map, whose early passes are coarse) when the sampled rows are within DB of what the screen settles
// at, the screen counting as settled once it has not changed for 2.5 s (early passes may come a second apart). With
// --opens
// N the map is closed (Escape) and opened (KEY) again until it was shown N times. After the first map settled,
// --next presses Right once and times the next map's picture (the sampled rows showing 90 % of the change they
// settle at), --steps N presses Right N times and reports the resident growth, --zoom-out N turns the wheel N steps
// toward the user and reports the peak memory then. Prints "NAME VALUE UNIT" lines.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

pid_t spawn(const std::vector<std::string>& argv)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

void runTool(const std::vector<std::string>& argv)
{
    const pid_t pid = spawn(argv);
    int status = 0;
    if (pid > 0)
        waitpid(pid, &status, 0);
}

long statusKib(pid_t pid, const char* field)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field) + 1);
    }
    return -1;
}

struct ScreenSampler
{
    Display* display = nullptr;
    Window root = 0;
    int width = 0, height = 0;

    // Ten rows across the screen, and the row the viewer's progress bar lies on (below the title strip).
    std::vector<int> mapRows() const
    {
        std::vector<int> rows;
        for (int i = 0; i < 10; ++i)
            rows.push_back(height * (2 * i + 1) / 20);
        return rows;
    }
    static constexpr int BarRow = 20 + 12;

    std::vector<unsigned long> row(int y, int x0, int x1, int stepX) const
    {
        std::vector<unsigned long> pixels;
        XImage* image = XGetImage(display, root, x0, y, static_cast<unsigned>(x1 - x0), 1, AllPlanes, ZPixmap);
        if (!image)
            return pixels;
        for (int x = 0; x < x1 - x0; x += stepX)
            pixels.push_back(XGetPixel(image, x, 0));
        XDestroyImage(image);
        return pixels;
    }

    /// Share of the sample points that show the maps' grainy parchment (or its darker blocks): the colour, and a
    /// neighbour of a different value, which a flat window background of a similar colour never has.
    double mapShare() const
    {
        int hits = 0, total = 0;
        for (int y : mapRows()) {
            const std::vector<unsigned long> pixels = row(y, 0, width, 1);
            for (size_t x = 0; x + 1 < pixels.size(); x += 16) {
                const unsigned long p = pixels[x];
                const int r = static_cast<int>((p >> 16) & 0xFF), g = static_cast<int>((p >> 8) & 0xFF),
                          b = static_cast<int>(p & 0xFF);
                hits += std::abs(r - 236) + std::abs(g - 222) + std::abs(b - 188) < 80 && pixels[x + 1] != p;
                ++total;
            }
        }
        return total ? static_cast<double>(hits) / total : 0;
    }

    std::vector<unsigned long> barRow() const { return row(BarRow, 40, 1000, 20); }
};

double changedShare(const std::vector<unsigned long>& before, const std::vector<unsigned long>& after)
{
    if (before.empty() || before.size() != after.size())
        return 0;
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
        changed += before[i] != after[i];
    return static_cast<double>(changed) / before.size();
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

/// Waits until the screen rows stop changing for quietMs; false on timeout.
bool waitSteady(const ScreenSampler& screen, int quietMs, double timeout)
{
    const double end = now() + timeout;
    auto last = screen.barRow();
    double lastShare = screen.mapShare();
    double since = now();
    while (now() < end) {
        sleepMs(20);
        auto bar = screen.barRow();
        const double share = screen.mapShare();
        if (bar != last || share != lastShare) {
            last = bar;
            lastShare = share;
            since = now();
        } else if ((now() - since) * 1000 >= quietMs) {
            return true;
        }
    }
    return false;
}

/// The sampled rows of the screen, every fourth point.
std::vector<unsigned long> screenPoints(const ScreenSampler& screen)
{
    std::vector<unsigned long> points;
    for (int y : screen.mapRows()) {
        const std::vector<unsigned long> row = screen.row(y, 0, screen.width, 4);
        points.insert(points.end(), row.begin(), row.end());
    }
    return points;
}

/// Peak signal-to-noise ratio of one set of sampled points against another, over the three colour channels.
double psnr(const std::vector<unsigned long>& points, const std::vector<unsigned long>& reference)
{
    if (points.size() != reference.size() || points.empty())
        return 0;
    double squares = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            const double d = double((points[i] >> shift) & 0xFF) - double((reference[i] >> shift) & 0xFF);
            squares += d * d;
        }
    }
    const double mse = squares / (3.0 * points.size());
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

/// Seconds from start until the map showed: the first sample with at least 90 % of the share of parchment points the
/// screen settles at, over what it showed before (a window of any size and place counts); with psnrDb above 0, the
/// first sample within psnrDb of the rows the screen settles at. Records when the bar row changed, when asked.
double waitForMap(const ScreenSampler& screen, double start, const std::vector<unsigned long>& barBefore, double* bar,
                  double psnrDb)
{
    const double before = screen.mapShare();
    const double quietNeeded = psnrDb > 0 ? 2.5 : 0.7;
    std::vector<std::pair<double, double>> series;
    std::vector<std::vector<unsigned long>> pictures;
    double quietSince = now();
    double last = -1;
    while (now() - start < 60) {
        if (bar && *bar < 0 && changedShare(barBefore, screen.barRow()) > 0.8)
            *bar = now() - start;
        const double share = screen.mapShare();
        const double t = now() - start;
        series.emplace_back(t, share);
        bool changed = std::abs(share - last) > 0.005;
        if (psnrDb > 0) {
            pictures.push_back(screenPoints(screen));
            changed = changed || (pictures.size() > 1 && pictures.back() != pictures[pictures.size() - 2]);
        }
        if (changed) {
            last = share;
            quietSince = now();
        } else if (share > before + 0.05 && now() - quietSince > quietNeeded) {
            for (size_t i = 0; i < series.size(); ++i) {
                const bool shown = psnrDb > 0 ? psnr(pictures[i], pictures.back()) >= psnrDb
                                              : series[i].second - before >= 0.9 * (share - before);
                if (shown)
                    return series[i].first;
            }
        }
        sleepMs(2);
    }
    return -1;
}

/// Seconds from start until the sampled rows show at least 90 % of the points that differ between before and the
/// picture they settle at (no change for 0.7 s); -1 when nothing changed within a minute.
double waitForNewPicture(const ScreenSampler& screen, double start, const std::vector<unsigned long>& before)
{
    std::vector<std::pair<double, std::vector<unsigned long>>> series;
    double quietSince = now();
    while (now() - start < 60) {
        std::vector<unsigned long> points = screenPoints(screen);
        if (series.empty() || points != series.back().second)
            quietSince = now();
        series.emplace_back(now() - start, std::move(points));
        const std::vector<unsigned long>& last = series.back().second;
        if (now() - quietSince > 0.7 && last != before) {
            size_t changed = 0;
            for (size_t i = 0; i < last.size(); ++i)
                changed += last[i] != before[i];
            for (const auto& [when, sample] : series) {
                size_t reached = 0;
                for (size_t i = 0; i < last.size() && i < sample.size(); ++i)
                    reached += last[i] != before[i] && sample[i] == last[i];
                if (reached >= changed * 9 / 10)
                    return when;
            }
        }
        sleepMs(2);
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string key;
    int opens = 1;
    int settleMs = 2000;
    int first = 1;
    bool next = false;
    double psnrDb = 0;
    int steps = 0, zoomOut = 0;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--") {
            ++first;
            break;
        }
        if (arg == "--key" && first + 1 < argc)
            key = argv[++first];
        else if (arg == "--psnr" && first + 1 < argc)
            psnrDb = std::atof(argv[++first]);
        else if (arg == "--opens" && first + 1 < argc)
            opens = std::atoi(argv[++first]);
        else if (arg == "--settle" && first + 1 < argc)
            settleMs = std::atoi(argv[++first]);
        else if (arg == "--next")
            next = true;
        else if (arg == "--steps" && first + 1 < argc)
            steps = std::atoi(argv[++first]);
        else if (arg == "--zoom-out" && first + 1 < argc)
            zoomOut = std::atoi(argv[++first]);
    }
    if (first >= argc) {
        std::fprintf(
            stderr,
            "usage: mapcatalogue_probe [--key KEY] [--psnr DB] [--opens N] [--settle MS] ... -- PROGRAM ARGS...\n");
        return 2;
    }
    ScreenSampler screen;
    screen.display = XOpenDisplay(nullptr);
    if (!screen.display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    screen.root = DefaultRootWindow(screen.display);
    screen.width = DisplayWidth(screen.display, DefaultScreen(screen.display));
    screen.height = DisplayHeight(screen.display, DefaultScreen(screen.display));

    const std::vector<std::string> program(argv + first, argv + argc);
    double start = now();
    const pid_t pid = spawn(program);
    if (pid <= 0)
        return 2;
    if (!key.empty() && !waitSteady(screen, 1500, 30)) {
        std::fprintf(stderr, "the program's window did not settle\n");
        kill(pid, SIGTERM);
        return 1;
    }

    double firstPicture = -1, bar = -1;
    long rssFirst = -1, rssOpened = -1;
    for (int open = 0; open < opens; ++open) {
        const std::vector<unsigned long> barBefore = screen.barRow();
        if (!key.empty()) {
            start = now();
            runTool({"xdotool", "key", key});
        }
        const double shown = waitForMap(screen, start, barBefore, key.empty() || bar >= 0 ? nullptr : &bar, psnrDb);
        if (shown < 0) {
            std::fprintf(stderr, "the map did not show (opening %d)\n", open + 1);
            kill(pid, SIGTERM);
            return 1;
        }
        if (open == 0)
            firstPicture = shown;
        // The first and the last opening settle alike (the viewer's work ahead done), so their resident sizes
        // compare.
        sleepMs(open == 0 || open + 1 == opens ? settleMs : 300);
        if (open == 0)
            rssFirst = statusKib(pid, "VmRSS:");
        // Taken before any later step or zoom changes what the viewer holds.
        if (open + 1 == opens)
            rssOpened = statusKib(pid, "VmRSS:");
        if (open + 1 < opens) {
            runTool({"xdotool", "key", "Escape"});
            waitSteady(screen, 500, 10);
        }
    }
    double nextView = -1;
    if (next) {
        const std::vector<unsigned long> before = screenPoints(screen);
        const double pressed = now();
        runTool({"xdotool", "key", "Right"});
        nextView = waitForNewPicture(screen, pressed, before);
    }
    long rssStepped = -1;
    for (int step = 0; step < steps; ++step) {
        runTool({"xdotool", "key", "Right"});
        sleepMs(300);
        waitSteady(screen, 700, 30);
        if (step == 0 || step + 1 == steps)
            sleepMs(settleMs);
        if (step == 0)
            rssStepped = statusKib(pid, "VmRSS:");
    }
    const long rssAfterSteps = statusKib(pid, "VmRSS:");
    long peakZoomed = -1;
    if (zoomOut > 0) {
        runTool({"xdotool", "mousemove", std::to_string(screen.width / 2), std::to_string(screen.height / 2)});
        for (int i = 0; i < zoomOut; ++i) {
            runTool({"xdotool", "click", "5"});
            sleepMs(400);
        }
        waitSteady(screen, 1000, 30);
        sleepMs(1000); // the last reduced copies are built in the background
        peakZoomed = statusKib(pid, "VmHWM:");
    }
    const long peak = statusKib(pid, "VmHWM:");
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    std::printf("first_picture %.1f ms\n", firstPicture * 1000);
    if (!key.empty())
        std::printf("progress_bar %.1f ms\n", bar * 1000);
    std::printf("peak_memory %.1f MiB\n", peak / 1024.0);
    if (opens > 1)
        std::printf("resident_growth_over_%d_openings %.1f MiB\n", opens, (rssOpened - rssFirst) / 1024.0);
    if (next)
        std::printf("next_map_view %.1f ms\n", nextView * 1000);
    if (steps > 1)
        std::printf("resident_growth_over_%d_steps %.1f MiB\n", steps, (rssAfterSteps - rssStepped) / 1024.0);
    if (zoomOut > 0)
        std::printf("peak_memory_zoomed %.1f MiB\n", peakZoomed / 1024.0);
    XCloseDisplay(screen.display);
    return 0;
}
