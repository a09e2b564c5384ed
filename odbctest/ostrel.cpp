// ostrel: tests whether an ODBC data source can be reached and runs SQL on it.
//
//   As a CGI program (REMOTE_ADDR set): answers the entry form, or a request
//   with the fields dsn, uid, pwd, SQL, PROMPT and FORMINPUT, with a page
//   that says whether the connection worked and shows the statement's result.
//   From the command line: ostrel "dsn=NAME[;uid=...;pwd=...]" (or @file)
//   connects and runs the statements typed at the "SQL>" prompt.
//
// Ends with status 1 for a wrong argument count, an option or an unreadable
// response file; with 0 otherwise, whatever the connection gave.

#include "pages.h"
#include "program_args.h"
#include "request.h"

namespace {

const option_spec kNoOptions[] = {{nullptr, 0, 0, nullptr, nullptr}};

}  // namespace

int main(int argc, char** argv) {
    program_info.banner =
        "Korvath Nexor Test Connection\n"
        "Version 1.1 (Release 4.2) as of Mon Apr 22 2002 (cvsid 00060).\n"
        "Compiled for Linux 2.2.19 (i686-pc-linux-glibc21)\n";
    program_info.synopsis =
        "dsn=dsn_name[;uid=userid][;pwd=password][;sql=sqlstatement][;prompt=[d][u][p][s]]";
    program_info.flags = PROGRAM_RESPONSE_FILES;
    program_info.options = kNoOptions;

    parse_arguments(&argc, &argv);
    if (!read_request(argc, argv))
        return 1;
    print_page_head();
    if (request.show_form)
        print_form();
    else
        run_session();
    return 0;
}
