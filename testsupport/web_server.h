#pragma once
// lighttpd on 127.0.0.1 at a free port, serving a test's document root, for
// tests that request CGI programs as a browser would.

#include <filesystem>
#include <string>

#include <sys/types.h>

#include "temp_dir.h"

namespace testsupport {

class WebServer {
public:
    // `extra_config` is lighttpd configuration appended to the basics
    // (document root, port, mod_cgi, mod_alias, mod_setenv, mime types).
    WebServer(const std::filesystem::path& document_root, const std::string& extra_config);
    // Stops the server by its own process id, whatever the test did.
    ~WebServer();
    WebServer(const WebServer&) = delete;
    WebServer& operator=(const WebServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& target) const;
    // The server's error log, for failure messages.
    std::string error_log() const;

private:
    TempDir state_;
    int port_ = 0;
    pid_t pid_ = -1;
};

struct HttpResponse {
    int status = 0;
    std::string headers;  // the header lines as received
    std::string body;
};

// A plain HTTP/1.0 GET on 127.0.0.1.
HttpResponse http_get(int port, const std::string& target);

// A port nobody listens on now.
int free_port();

}  // namespace testsupport
