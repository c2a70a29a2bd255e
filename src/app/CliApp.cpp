#include "app/CliApp.h"

#include <cmath>
#include <cstdlib>
#include <exception>
#include <map>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "app/CliCommand.h"
#include "app/CliGui.h"
#include "app/CliRun.h"

#ifndef NXUI_VERSION
#define NXUI_VERSION "0.0.0"
#endif

namespace nxui::cli {

namespace {

constexpr const char* kProgram = "nxui";

int Dispatch(const CliCommand& command, const CliOptions& options, int argc, char** argv, std::ostream& out,
             std::ostream& err) {
  CliReport report;
  std::unique_ptr<CliRun> run;
  if (command.needsCore) {
    std::string error;
    run = CliRun::Create(options, error, &err);
    if (!run) {
      err << kProgram << ": " << error << '\n';
      return kExitFailure;
    }
    run->Start(command.settles);
    if (command.needsAdapter && !run->AdapterReady()) {
      err << kProgram << ": " << run->Strings().LoadString(string_id::kNicNotReady) << '\n';
      return kExitNoAdapter;
    }
  }
  CliContext context{options, run.get(), report, out, err, argc, argv};
  int code = command.run(context);
  // A change the state directory could not keep is not a success, whatever the pages show.
  if (run) {
    run->World().SaveState();
    const std::vector<std::string> failures = run->World().WriteFailures();
    for (const std::string& failure : failures) err << kProgram << ": could not save " << failure << '\n';
    if (!failures.empty()) code = kExitFailure;
  }
  // What a window would have told the user (e.g. missing administrator rights) is not lost.
  if (run) {
    for (const std::string& message : run->Messages()) err << kProgram << ": message: " << message << '\n';
  }
  if (code != kExitOk || report.Empty()) return code;
  if (options.json) {
    out << DumpJson(report.ToJson(), 2) << '\n';
  } else {
    report.WriteText(out);
  }
  out.flush();
  return code;
}

}  // namespace

int CliApp::Run(int argc, char** argv, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::string language = "en";
  bool trayOnly = false;

  // Held by pointer so that a GUI, which runs for days, does not keep the parser.
  auto parser = std::make_unique<CLI::App>(
      "VQ-MA310X Wireless Utility: configuration and monitoring of the wireless adapter.\n"
      "Without a command the graphical interface starts; commands run the same core on the\n"
      "simulated platform under virtual time and print what the pages show.",
      kProgram);
  CLI::App& app = *parser;
  app.set_version_flag("--version", std::string(kProgram) + " " + NXUI_VERSION);
  app.add_option("--scenario", options.scenarioFile,
                 "Simulated platform from this scenario file (default: the embedded scenario)")
      ->type_name("FILE");
  app.add_option("--state", options.stateDirectory,
                 "The simulator's state directory (registry file, profiles); default: a fresh temporary one")
      ->type_name("DIR");
  app.add_option("--lang", language, "Language of the texts")->check(CLI::IsMember({"en", "zh"}))->type_name("en|zh");
  app.add_flag("--json", options.json, "Machine-readable output: one JSON document on stdout");
  // A range alone lets "nan" through: it compares false with both ends.
  const CLI::Validator finite(
      [](std::string& text) {
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        return std::isfinite(value) ? std::string() : "Value " + text + " is not a finite number";
      },
      "FINITE");
  app.add_option("--settle", options.settleSeconds, "Virtual seconds the world runs after start-up (default 10)")
      ->check(finite)
      ->check(CLI::Range(0.0, 86400.0))
      ->type_name("SECONDS");
  app.add_option("--card", options.card, "With several supported adapters, the one the selection picks (default 0)")
      ->check(CLI::Range(0, 255))
      ->type_name("INDEX");
  app.add_flag("-s,-S", trayOnly, "Without a command: start the graphical interface in the tray only");
  app.require_subcommand(0, 1);
  app.fallthrough();

  std::vector<CliCommand> commands = CliCommandTable();
  std::map<std::string, CLI::App*> subcommands;
  for (CliCommand& command : commands) {
    CLI::App* sub = app.add_subcommand(command.name, command.description);
    if (command.configure) command.configure(*sub);
    subcommands[command.name] = sub;
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    err << kProgram << ": " << e.what() << "\nRun '" << kProgram << " --help' for the commands and options.\n";
    return kExitUsage;
  }
  options.language = language == "zh" ? Language::kChinese : Language::kEnglish;

  try {
    for (const CliCommand& command : commands) {
      if (subcommands[command.name]->parsed()) return Dispatch(command, options, argc, argv, out, err);
    }
    subcommands.clear();
    commands.clear();
    parser.reset();
    return StartGui(options, trayOnly, argc, argv, err);
  } catch (const std::exception& e) {
    // Nothing in the core throws on bad input; this is a last guard that still says what happened.
    err << kProgram << ": internal error: " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace nxui::cli
