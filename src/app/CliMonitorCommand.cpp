// `monitor`: the simulated world on the clock. The virtual loop is advanced by the time that
// really passed, so timers and scenario events happen when they would in the GUI, and the link
// status is printed after each of its refreshes until Ctrl-C, SIGTERM or SIGHUP (or the hidden
// --ticks bound); each ends the run normally, so the temporary state folder is removed.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include <CLI/CLI.hpp>

#include "app/CliCommand.h"
#include "app/CliRun.h"
#include "app/CliStatusReport.h"

namespace nxui::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

constexpr std::chrono::milliseconds kStep{50};

}  // namespace

CliCommand MonitorCommand() {
  auto ticks = std::make_shared<int>(0);
  auto dbm = std::make_shared<bool>(false);
  CliCommand command;
  command.name = "monitor";
  command.description = "The link status in real time, every 2 s, until Ctrl-C (--json: one line per tick)";
  command.settles = false;
  command.configure = [ticks, dbm](CLI::App& app) {
    app.add_flag("--dbm", *dbm, "Signal and noise captions in dBm");
    // For scripts and tests: stop after N refreshes.
    app.add_option("--ticks", *ticks, "Stop after N refreshes")->check(CLI::Range(0, 1000000))->group("");
  };
  command.run = [ticks, dbm](CliContext& c) {
    CliRun& run = *c.run;
    run.SetShowDbm(*dbm);
    CLinkStatusDlg& page = ShowLinkStatus(run, 0);
    const bool clearScreen = !c.options.json && isatty(STDOUT_FILENO) != 0;

    interrupted = 0;
    const int stopSignals[] = {SIGINT, SIGTERM, SIGHUP};
    void (*previous[3])(int) = {};
    for (int i = 0; i < 3; ++i) previous[i] = std::signal(stopSignals[i], OnInterrupt);
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    std::uint64_t virtualMs = 0;
    std::uint64_t nextPrintMs = CLinkStatusDlg::kRefreshPeriodMs;
    int printed = 0;
    while (interrupted == 0 && (*ticks == 0 || printed < *ticks)) {
      std::this_thread::sleep_for(kStep);
      const auto elapsed = static_cast<std::uint64_t>(
          std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count());
      // Up to the next refresh at most, so that each refresh is printed on its own.
      const std::uint64_t target = std::min(elapsed, nextPrintMs);
      if (target > virtualMs) {
        run.Advance(target - virtualMs);
        virtualMs = target;
      }
      if (virtualMs < nextPrintMs) continue;
      nextPrintMs += CLinkStatusDlg::kRefreshPeriodMs;
      CliReport report;
      if (c.options.json) {
        BuildStatusReport(run, page, report);
        c.out << DumpJson(report.ToJson(), -1) << '\n';
      } else {
        BuildCompactStatus(run, page, report);
        if (clearScreen) c.out << "\x1b[H\x1b[2J";
        report.WriteText(c.out);
        if (!clearScreen) c.out << '\n';
      }
      c.out.flush();
      ++printed;
    }
    for (int i = 0; i < 3; ++i) std::signal(stopSignals[i], previous[i]);
    return kExitOk;
  };
  return command;
}

}  // namespace nxui::cli
