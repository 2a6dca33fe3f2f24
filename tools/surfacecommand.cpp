// px7000-host surface: the surface the module declares, as a table, Markdown or JSON.
#include <ostream>

#include "device/px7000_surface.h"
#include "tools/commandline.h"
#include "tools/hostsession.h"
#include "tools/surfacereport.h"

namespace px7000host {

int runSurface(const Arguments& args, std::ostream& out, std::ostream& err) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(args, {"--format"}, {}, parsed, error) || parsed.positional.size() > 1) {
    err << "px7000-host surface: " << (error.empty() ? "more than one bundle named" : error)
        << "\nusage: px7000-host surface [BUNDLE] [--format table|json|markdown]\n";
    return kExitUsage;
  }
  const std::string format = parsed.value("--format", "table");
  if (format != "table" && format != "json" && format != "markdown") {
    err << "px7000-host surface: unknown format '" << format << "' (table, json or markdown)\n";
    return kExitUsage;
  }
  HostSession session({takeBundle(parsed.positional, true), {}, PortLayout::pair});
  if (!session.start()) {
    err << "px7000-host surface: " << session.error() << "\n";
    return session.failureStatus();
  }
  int status = kExitSuccess;
  if (const simhost::Device* device = session.remoteDevice()) {
    const SurfaceReport report =
        reportSurface(*device->standard(), kp_bank_default, kp_layer_default);
    if (format == "json")
      out << surfaceJson(report).dump(2) << "\n";
    else if (format == "markdown")
      printSurfaceMarkdown(report, out);
    else
      printSurfaceTable(report, out);
  } else {
    err << "px7000-host surface: the module declared no surface (no remote device was made)\n";
    for (const std::string& note : session.notes()) err << "  " << note << "\n";
    status = kExitFailure;
  }
  for (const std::string& problem : session.stop()) {
    err << "px7000-host surface: at shutdown, " << problem << "\n";
    status = kExitFailure;
  }
  return status;
}

}  // namespace px7000host
