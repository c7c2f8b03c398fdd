// The whole open path: the bytes as a form file opened in the designer with the bar's package
// loaded, a bar dropped, the first collection passes run, the form saved. What is saved opens
// again and, saved once more, gives the same bytes.
#include "FuzzSupport.h"
#include "app/Script.h"
#include "app/Session.h"
#include "host/rtl/SysUtils.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct World {
    fs::path dir;
    std::ostringstream transcript;
    std::unique_ptr<app::Session> session;

    World() {
        dir = fs::temp_directory_path() / ("stowfuzz-" + std::to_string(getpid()));
        fs::create_directories(dir);
        session = std::make_unique<app::Session>(transcript, dir);
        fuzz::Require(session->PackageError().empty(), "the package did not load");
    }
    ~World() {
        session.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // Runs one command; false when the session refused it with a script error.
    bool Run(const std::string& command) {
        transcript.str({});
        try {
            session->Execute(app::ParseLine(command, 1));
            return true;
        } catch (const app::ScriptError&) {
            return false;
        } catch (const host::Exception&) {
            return false;
        }
    }

    std::string Read(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

World& TheWorld() {
    static World world;
    return world;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    World& w = TheWorld();
    {
        std::ofstream out(w.dir / "in.dfm", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    if (!w.Run("open in.dfm"))
        return 0;
    w.Run("drop TStowbar");
    fuzz::Require(w.Run("wait 500"), "the message loop refused to run");
    if (!w.Run("save first.dfm"))
        return 0; // a form the writer cannot hold (refused with a clear error)
    fuzz::Require(w.Run("open first.dfm"), "a saved form does not open again");
    fuzz::Require(w.Run("wait 500"), "the message loop refused to run");
    fuzz::Require(w.Run("save second.dfm"), "a reopened form does not save");
    fuzz::Require(w.Read("first.dfm") == w.Read("second.dfm"),
                  "a saved form, reopened and saved again, changed");
    w.Run("close");
    return 0;
}
