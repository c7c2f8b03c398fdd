// stowdesign: the designer program.
#include "app/Demo.h"
#include "app/FormFiles.h"
#include "app/Package.h"
#include "app/Render.h"
#include "app/Session.h"
#include "app/edit/Edit.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

namespace {

// A package that did not load is told once; the designer goes on without it.
void reportPackage(const app::Session& session) {
    if (!session.PackageError().empty())
        std::cerr << "stowdesign: " << session.PackageError() << "\n";
}

} // namespace

int main(int argc, char** argv) {
    CLI::App cli{"stowdesign: the form designer with the stowbar"};
    cli.require_subcommand(0, 1);
    std::string outDir;

    auto* demo = cli.add_subcommand("demo", "play the built-in demo session");
    std::string demoOut = "stowdesign-demo";
    demo->add_option("--out", demoOut, "output folder");

    auto* run = cli.add_subcommand("run", "play a session script");
    std::string script;
    run->add_option("SCRIPT", script, "the session script")->required();
    run->add_option("--out", outDir, "folder for relative paths in the script");

    auto* edit = cli.add_subcommand("edit", "the designer in a window, live on the real clock");
    std::string editForm, editOut, editPlay;
    edit->add_option("FORM", editForm, "the form file to open (default: a new form)");
    edit->add_option("--out", editOut, "folder for F12's dump.json and window.png");
    edit->add_option("--play", editPlay, "a session script to play into the window first");

    auto* convert = cli.add_subcommand("convert", "convert a form file");
    std::string in, out;
    convert->add_option("IN", in)->required();
    convert->add_option("OUT", out)->required();
    bool toText = false, toBinary = false;
    convert->add_flag("--text", toText, "write the text form");
    convert->add_flag("--binary", toBinary, "write the binary form");

    auto* render = cli.add_subcommand("render", "render a form's design surface");
    std::string formPath, pngPath;
    render->add_option("FORM", formPath)->required();
    render->add_option("OUT", pngPath)->required();

    auto* package = cli.add_subcommand("package", "show what the designer sees of a package");
    std::string packagePath, resPath;
    package->add_option("PATH", packagePath,
                        "the package (default: StowPkg.so next to the program)");
    package->add_option("--res", resPath, "write the package's resources as a .res file");

    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0)
            return cli.exit(e);
        std::cerr << "stowdesign: " << e.what() << "\n";
        return 2;
    }

    try {
        if (*run) {
            std::filesystem::path base =
                outDir.empty() ? std::filesystem::current_path() : std::filesystem::path(outDir);
            if (!outDir.empty())
                std::filesystem::create_directories(base);
            app::Session session(std::cout, base);
            reportPackage(session);
            return session.RunFile(script, std::cerr);
        }
        if (*edit) {
            app::edit::EditOptions options;
            if (!editForm.empty())
                options.Form = editForm;
            options.Out = editOut;
            if (!editPlay.empty())
                options.Play = editPlay;
            return app::edit::RunEdit(options, std::cout, std::cerr);
        }
        if (*package)
            return app::ShowPackage(packagePath.empty() ? app::DefaultPackagePath() : packagePath,
                                    resPath, std::cout, std::cerr);
        if (*render)
            return app::RenderFormFile(formPath, pngPath, std::cerr);
        if (*convert) {
            if (toText && toBinary) {
                std::cerr << "stowdesign: convert takes --text or --binary, not both\n";
                return 2;
            }
            host::FormFileFormat format =
                toText ? host::FormFileFormat::Text : host::FormFileFormat::Binary;
            app::ConvertFormFile(in, out, toText || toBinary ? &format : nullptr);
            return 0;
        }
        return app::RunDemo(*demo ? demoOut : std::string("stowdesign-demo"), std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "stowdesign: " << e.what() << "\n";
        return 2;
    }
}
