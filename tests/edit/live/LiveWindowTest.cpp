// `stowdesign edit` in a real window: the test starts a virtual X server (Xvfb) on a free display,
// starts the program on it, and drives it with real X input (xdotool), the way a person would:
// the pointer to the form's top edge, a right click on a bar button and the menu, typing into
// the input box, a drop from the palette, a value chosen in the property panel, Ctrl+S. What
// happened is read from the program's own dump (F12), polled until it shows the expected state.
// Where no X server can start, the tests are skipped with the reason.
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using json = nlohmann::json;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool onPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Starts a program with the environment given, its output into a file; returns its pid.
pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env,
            const fs::path& log) {
    pid_t pid = fork();
    if (pid == 0) {
        FILE* out = std::fopen(log.c_str(), "w");
        if (out) {
            dup2(fileno(out), 1);
            dup2(fileno(out), 2);
        }
        for (const std::string& e : env)
            putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

bool running(pid_t pid, int* status = nullptr) {
    int st = 0;
    pid_t r = waitpid(pid, &st, WNOHANG);
    if (r == pid && status)
        *status = st;
    return r == 0;
}

void stop(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100 && running(pid); ++i)
        std::this_thread::sleep_for(20ms);
    if (running(pid)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A virtual X server on the first free display from :90 on.
class XServer {
public:
    // Empty when it runs; else why not.
    std::string Start(const fs::path& dir) {
        if (!onPath("Xvfb"))
            return "Xvfb is not installed (scripts/setup.sh installs xvfb)";
        if (!onPath("xdotool"))
            return "xdotool is not installed (scripts/setup.sh installs xdotool)";
        for (int n = 90; n < 140; ++n) {
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
            if (fs::exists(socket) || fs::exists("/tmp/.X" + std::to_string(n) + "-lock"))
                continue;
            FDisplay = ":" + std::to_string(n);
            FPid = spawn({"Xvfb", FDisplay, "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                          // (no reset when the last client leaves: a client connecting just then
                          // would be refused)
                          "-noreset"},
                         {}, dir / ("xvfb" + std::to_string(n) + ".log"));
            for (int i = 0; i < 250 && running(FPid); ++i) {
                if (fs::exists(socket) &&
                    std::system(
                        ("DISPLAY=" + FDisplay + " xdotool getdisplaygeometry >/dev/null 2>&1")
                            .c_str()) == 0)
                    return "";
                std::this_thread::sleep_for(20ms);
            }
            stop(FPid);
            FPid = -1;
        }
        return "no X server could start on displays :90 to :139";
    }
    ~XServer() { stop(FPid); }
    const std::string& Display() const { return FDisplay; }

private:
    pid_t FPid = -1;
    std::string FDisplay;
};

class LiveWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Dir() = fs::path(STOW_BINARY_DIR) / "edit-live";
        fs::remove_all(Dir());
        fs::create_directories(Dir());
        Server() = std::make_unique<XServer>();
        SkipReason() = Server()->Start(Dir());
    }
    static void TearDownTestSuite() { Server().reset(); }
    static fs::path& Dir() {
        static fs::path dir;
        return dir;
    }
    static std::unique_ptr<XServer>& Server() {
        static std::unique_ptr<XServer> server;
        return server;
    }
    static std::string& SkipReason() {
        static std::string reason;
        return reason;
    }

    void SetUp() override {
        if (!SkipReason().empty())
            GTEST_SKIP() << "SKIPPED: no X server can start: " << SkipReason();
    }
    void TearDown() override { stop(FProgram); }

    std::string x(const std::string& args) {
        return "DISPLAY=" + Server()->Display() + " xdotool " + args;
    }
    // Runs xdotool; returns its output.
    std::string xdo(const std::string& args) {
        FILE* p = popen((x(args) + " 2>/dev/null").c_str(), "r");
        std::string out;
        char buffer[256];
        while (p && std::fgets(buffer, sizeof buffer, p))
            out += buffer;
        if (p)
            pclose(p);
        return out;
    }

    // Starts `stowdesign edit` with the arguments and waits for its window.
    void startEditor(const std::vector<std::string>& args) {
        FOut = Dir() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(FOut);
        std::vector<std::string> argv{STOWDESIGN, "edit"};
        argv.insert(argv.end(), args.begin(), args.end());
        argv.insert(argv.end(), {"--out", FOut.string()});
        // (Under the sanitizers, what the X and SDL libraries keep until exit is not our leak.)
        FEnv = {"DISPLAY=" + Server()->Display(), "SDL_VIDEODRIVER=x11",
                "LSAN_OPTIONS=print_suppressions=0:suppressions=" STOW_SOURCE_DIR
                "/tests/edit/live/lsan.supp"};
        FProgram = spawn(argv, FEnv, FOut / "stowdesign.log");
        for (int i = 0; i < 500 && FWindow.empty(); ++i) {
            ASSERT_TRUE(running(FProgram)) << readAll(FOut / "stowdesign.log");
            std::string id = xdo("search --onlyvisible --name '^stowdesign'");
            if (!id.empty())
                FWindow = id.substr(0, id.find('\n'));
            else
                std::this_thread::sleep_for(20ms);
        }
        ASSERT_FALSE(FWindow.empty()) << "the window did not appear";
        xdo("windowfocus --sync " + FWindow);
    }

    // Presses F12 until the dump shows what is expected (at most timeout); the last dump.
    json poll(const std::function<bool(const json&)>& expected,
              std::chrono::seconds timeout = 15s) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        json last;
        while (std::chrono::steady_clock::now() < end) {
            std::error_code ec;
            fs::remove(FOut / "dump.json", ec);
            // (With no window manager, the focus set when the window appeared may not have
            // been taken: it is given again before the key.)
            if (xdo("getwindowfocus").rfind(FWindow, 0) != 0)
                xdo("windowfocus --sync " + FWindow);
            xdo("key F12");
            for (int i = 0; i < 100 && !fs::exists(FOut / "dump.json"); ++i)
                std::this_thread::sleep_for(10ms);
            if (fs::exists(FOut / "dump.json")) {
                try {
                    last = json::parse(readAll(FOut / "dump.json"));
                    if (expected(last))
                        return last;
                } catch (const json::exception&) {
                }
            }
            if (!running(FProgram))
                break;
            std::this_thread::sleep_for(50ms);
        }
        ADD_FAILURE() << "the expected state did not come (the window " << FWindow << ": "
                      << xdo("getwindowgeometry --shell " + FWindow) << xdo("getmouselocation")
                      << xdo("search --name stowdesign") << "); the last dump: " << last.dump(1)
                      << "\n"
                      << readAll(FOut / "stowdesign.log");
        return last;
    }

    static std::pair<int, int> centre(const json& bounds) {
        return {bounds[0].get<int>() + bounds[2].get<int>() / 2,
                bounds[1].get<int>() + bounds[3].get<int>() / 2};
    }
    // Moves the pointer as a person does (XTEST motion, in screen coordinates: a warp relative
    // to the window is not always seen by the window as a motion).
    void moveTo(std::pair<int, int> p) {
        // Where the window is now: with no window manager, its client area's corner. The
        // window is looked up again: the window system's library may have made it anew.
        const std::string id = xdo("search --onlyvisible --name '^stowdesign'");
        if (!id.empty())
            FWindow = id.substr(0, id.find('\n'));
        int left = 0, top = 0;
        std::istringstream geometry(xdo("getwindowgeometry --shell " + FWindow));
        for (std::string line; std::getline(geometry, line);) {
            if (line.rfind("X=", 0) == 0)
                left = std::stoi(line.substr(2));
            if (line.rfind("Y=", 0) == 0)
                top = std::stoi(line.substr(2));
        }
        xdo("mousemove " + std::to_string(left + p.first) + " " + std::to_string(top + p.second));
    }
    void clickAt(std::pair<int, int> p, int button = 1) {
        moveTo(p);
        xdo("click " + std::to_string(button));
    }
    static json find(const json& list, const std::string& key, const std::string& value) {
        if (list.is_array())
            for (const json& item : list)
                if (item.contains(key) && item[key] == value)
                    return item;
        return nullptr;
    }
    // A point of the form's client area in window coordinates.
    static std::pair<int, int> onForm(const json& dump, int x, int y) {
        return {dump["window"]["formOrigin"][0].get<int>() + x,
                dump["window"]["formOrigin"][1].get<int>() + y};
    }
    // Makes a form file with a script.
    fs::path makeForm(const std::string& script) {
        const fs::path dir = Dir() / "forms";
        fs::create_directories(dir);
        std::ofstream(dir / "make.stow") << script;
        const std::string command = std::string(STOWDESIGN) + " run " +
                                    (dir / "make.stow").string() + " --out " + dir.string() +
                                    " >/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return dir;
    }

    pid_t FProgram = -1;
    std::string FWindow;
    fs::path FOut;
    std::vector<std::string> FEnv;
};

TEST_F(LiveWindowTest, AFormIsEditedWithRealMouseAndKeys) {
    const fs::path forms = makeForm("new form Form1 600 400\n"
                                    "drop TTimer Timer1 at 16 16\n"
                                    "drop TStowbar Stowbar1\n"
                                    "wait 1\n"
                                    "save form1.dfm text\n");
    startEditor({(forms / "form1.dfm").string()});
    if (HasFatalFailure())
        return;
    auto bar = [](const json& d) { return d["bars"]["Stowbar1"]; };

    // The bar has settled out of sight; the pointer at the form's top edge slides it down.
    json d = poll([&](const json& j) { return j["form"]["name"] == "Form1" && bar(j)["hidden"]; });
    moveTo(onForm(d, 300, 1));
    d = poll([&](const json& j) { return !bar(j)["hidden"] && bar(j)["bounds"][1] == 0; });

    // A right click on the timer's button pops the real menu; Change Title opens the input box.
    const json button = bar(d)["entries"][0]["button"]["bounds"];
    const auto at = onForm(d, bar(d)["bounds"][0].get<int>() + centre(button).first,
                           bar(d)["bounds"][1].get<int>() + centre(button).second);
    clickAt(at, 3);
    d = poll([](const json& j) { return !j["window"]["popup"].is_null(); });
    fs::copy_file(FOut / "window.png", Dir() / "menu.png", fs::copy_options::overwrite_existing);
    const json item = find(d["window"]["popup"], "caption", "Change Title of \"Timer1\"");
    ASSERT_FALSE(item.is_null()) << d["window"]["popup"].dump();
    clickAt(centre(item["bounds"]));
    d = poll([](const json& j) { return j["window"]["dialog"].value("kind", "") == "query"; });
    xdo("type --delay 20 Clock");
    xdo("key Return");
    d = poll([&](const json& j) { return bar(j)["entries"][0]["title"] == "Clock"; });

    // A timer from the palette: the System page, the timer, then a click on the form.
    clickAt(centre(find(d["window"]["palette"]["tabs"], "page", "System")["bounds"]));
    d = poll([](const json& j) { return j["window"]["palette"]["page"] == "System"; });
    clickAt(centre(find(d["window"]["palette"]["classes"], "class", "TTimer")["bounds"]));
    d = poll([](const json& j) { return j["window"]["palette"]["armed"] == "TTimer"; });
    clickAt(onForm(d, 200, 300));
    // (The bar collects the new timer at once, so its icon does not stay where it was dropped.)
    d = poll([&](const json& j) {
        return !find(j["components"], "name", "Timer2").is_null() && bar(j)["entries"].size() == 2;
    });

    // The bar selected by a click on it; its AttachSide chosen in the property panel.
    moveTo(onForm(d, 300, 1));
    d = poll([&](const json& j) { return !bar(j)["hidden"] && bar(j)["bounds"][1] == 0; });
    clickAt(onForm(d, 500, 8));
    d = poll([](const json& j) { return j["window"]["inspector"]["component"] == "Stowbar1"; });
    const json side = find(d["window"]["inspector"]["rows"], "name", "AttachSide");
    ASSERT_FALSE(side.is_null());
    ASSERT_FALSE(side["valueBounds"].is_null());
    clickAt(centre(side["valueBounds"]));
    d = poll([](const json& j) { return !j["window"]["inspector"]["choices"].empty(); });
    clickAt(centre(find(d["window"]["inspector"]["choices"], "value", "asLeft")["bounds"]));
    d = poll([&](const json& j) { return bar(j)["attachSide"] == "asLeft"; });
    fs::copy_file(FOut / "window.png", Dir() / "window.png", fs::copy_options::overwrite_existing);

    // Ctrl+S saves into the opened file.
    xdo("key ctrl+s");
    d = poll([](const json& j) { return j["window"]["modified"] == false; });
    const std::string saved = readAll(forms / "form1.dfm");
    EXPECT_NE(saved.find("object Timer2: TTimer"), std::string::npos);
    EXPECT_NE(saved.find("AttachSide = asLeft"), std::string::npos);
    EXPECT_NE(saved.find("'Clock'"), std::string::npos) << saved;
}

TEST_F(LiveWindowTest, AFormThatDoesNotOpenIsReportedAndClosingAsksAboutChanges) {
    const fs::path bad = Dir() / "bad.dfm";
    std::ofstream(bad) << "object Form1: TForm1\n  Left = \n";
    startEditor({bad.string()});
    if (HasFatalFailure())
        return;
    json d = poll([](const json& j) { return j["window"]["dialog"].value("kind", "") == "error"; });
    xdo("key Return");
    d = poll([](const json& j) { return j["window"]["dialog"].is_null(); });
    EXPECT_EQ(d["form"]["name"], "Form1");
    EXPECT_TRUE(d["window"]["file"].is_null());

    // A change, then the window is closed (SIGTERM is the close request): Cancel keeps it.
    clickAt(centre(find(d["window"]["palette"]["tabs"], "page", "System")["bounds"]));
    d = poll([](const json& j) { return j["window"]["palette"]["page"] == "System"; });
    clickAt(centre(find(d["window"]["palette"]["classes"], "class", "TTimer")["bounds"]));
    clickAt(onForm(d, 40, 40));
    d = poll([](const json& j) { return j["window"]["modified"] == true; });
    kill(FProgram, SIGTERM);
    d = poll([](const json& j) { return j["window"]["dialog"].value("kind", "") == "confirm"; });
    xdo("key Escape");
    d = poll([](const json& j) { return j["window"]["dialog"].is_null(); });
    ASSERT_TRUE(running(FProgram));
    // No closes without saving.
    kill(FProgram, SIGTERM);
    d = poll([](const json& j) { return j["window"]["dialog"].value("kind", "") == "confirm"; });
    const json no = find(d["window"]["dialog"]["buttons"], "caption", "&No");
    ASSERT_FALSE(no.is_null());
    clickAt(centre(no["bounds"]));
    int status = 0;
    for (int i = 0; i < 500 && running(FProgram, &status); ++i)
        std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n"
                                                               << readAll(FOut / "stowdesign.log");
    FProgram = -1;
}

} // namespace
