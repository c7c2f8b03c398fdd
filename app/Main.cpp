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

#ifndef STOW_VERSION
#define STOW_VERSION "0"
#endif

namespace {

// A package that did not load is told once; the designer goes on without it.
void reportPackage(const app::Session& session) {
    if (!session.PackageError().empty())
        std::cerr << app::ErrorLine(session.PackageError());
}

constexpr char kScriptHelp[] =
    "A script holds one command a line (new, open, drop, paste, delete, rename, set, select, "
    "wait, mouse, press, dblclick, tab, key, choose, answer, print, dump, render, expect, save, "
    "close, resize); '#' starts a comment. The language, the transcript and the JSON dump are "
    "described in docs/sessions.md.";

} // namespace

int main(int argc, char** argv) {
    CLI::App cli{"stowdesign: the form designer with the stowbar. It plays design sessions, "
                 "saves form files, renders pictures and dumps the designer's state as JSON."};
    cli.name("stowdesign");
    cli.set_version_flag("--version", "stowdesign " STOW_VERSION);
    cli.require_subcommand(0, 1);
    cli.footer("Run 'stowdesign help COMMAND' for the usage of one command. The documentation is "
               "in docs/ beside the program's sources.");

    auto* help = cli.add_subcommand("help", "show the usage of the program or of one command");
    std::string helpOn;
    help->add_option("COMMAND", helpOn, "the command to show the usage of");

    auto* demo = cli.add_subcommand("demo", "play the built-in demo session");
    std::string demoOut = "stowdesign-demo";
    demo->add_option("--out", demoOut,
                     "folder for the pictures, the saved form and the transcript "
                     "(default: stowdesign-demo)");

    auto* run = cli.add_subcommand("run", "play a session script");
    std::string script, outDir;
    run->add_option("SCRIPT", script, "the session script ('-' reads standard input)")->required();
    run->add_option("--out", outDir,
                    "folder for the files the script writes; files it reads are looked up "
                    "there first, then beside the script (default: the current folder)");
    run->footer(kScriptHelp);

    auto* edit = cli.add_subcommand("edit", "the designer in a window, live on the real clock");
    std::string editForm, editOut, editPlay;
    edit->add_option("FORM", editForm, "the form file to open (default: a new form)");
    edit->add_option("--out", editOut, "folder for F12's dump.json and window.png");
    edit->add_option("--play", editPlay, "a session script to play into the window first");

    auto* convert = cli.add_subcommand("convert", "convert a form file between text and binary");
    std::string in, out;
    convert->add_option("IN", in, "the form file to read (text, binary or Lazarus)")->required();
    convert->add_option("OUT", out, "the form file to write")->required();
    bool toText = false, toBinary = false;
    convert->add_flag("--text", toText, "write the text form");
    convert->add_flag("--binary", toBinary, "write the binary form");
    convert->footer("Without --text or --binary the output is in the other format than the input.");

    auto* render = cli.add_subcommand("render", "render a form's design surface as a PNG picture");
    std::string formPath, pngPath;
    render->add_option("FORM", formPath, "the form file to open in the designer")->required();
    render->add_option("OUT", pngPath, "the PNG picture to write")->required();

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
        std::cerr << app::ErrorLine(e.what());
        return 2;
    }

    try {
        // The program's own usage, not that of the command given (help), as CLI11 would.
        auto usage = [&] {
            return cli.get_formatter()->make_help(&cli, "stowdesign", CLI::AppFormatMode::Normal);
        };
        if (cli.get_subcommands().empty()) {
            std::cout << usage();
            return 0;
        }
        if (*help) {
            if (helpOn.empty()) {
                std::cout << usage();
                return 0;
            }
            for (CLI::App* sub : cli.get_subcommands({}))
                if (sub->get_name() == helpOn) {
                    std::cout << sub->help("stowdesign");
                    return 0;
                }
            std::cerr << "stowdesign: no command named " << helpOn << "\n";
            return 2;
        }
        if (*run) {
            std::filesystem::path base =
                outDir.empty() ? std::filesystem::current_path() : std::filesystem::path(outDir);
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
            return app::edit::RunEditWindow(options, std::cout, std::cerr);
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
        return app::RunDemo(demoOut, std::cout, std::cerr);
    } catch (const std::exception& e) {
        // One readable line, whatever bytes the message quotes.
        std::cerr << app::ErrorLine(e.what());
        return 2;
    }
}
