#include <cstdio>
#include <iostream>

#include "cli/command_list.h"
#include "cli/project_arg.h"
#include "core/check/project_checker.h"

namespace fenwarp::cli {

void print_findings(const CheckReport& report, std::ostream& out) {
    for (const Finding& finding : report.findings) out << finding_line(finding) << "\n";
}

namespace {

void print_banks(const CheckReport& report) {
    for (const BankUse& use : report.banks) {
        char margin[32];
        std::snprintf(margin, sizeof margin, "%.1f %%", use.margin() * 100.0);
        std::cout << "Bank " << use.bank << ": " << use.needed << " of " << use.available
                  << " bytes used, " << margin << " left\n";
    }
}

}  // namespace

// check PROJECT: the findings, the room of the banks and a count; exit 1
// when there is an error, warnings alone pass.
int run_check(const Args& args, StderrMessages&) {
    if (args.size() != 1) {
        std::cerr << "Usage: fenwarp-cli check PROJECT\n";
        return 2;
    }
    const CheckReport report = check_project(project_context(args[0]).project_dir);
    print_findings(report, std::cout);
    print_banks(report);
    std::cout << report.errors() << " error(s), " << report.warnings() << " warning(s)\n";
    return report.errors() == 0 ? 0 : 1;
}

}  // namespace fenwarp::cli
