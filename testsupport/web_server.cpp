#include "web_server.h"

#include <chrono>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "process.h"

namespace testsupport {
namespace {

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int connect_to(int port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    auto address = loopback(port);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

int free_port() {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    auto address = loopback(0);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        throw std::runtime_error("no free port");
    }
    close(fd);
    return ntohs(address.sin_port);
}

WebServer::WebServer(const std::filesystem::path& document_root, const std::string& extra_config) {
    port_ = free_port();
    std::string config =
        "server.document-root = \"" + document_root.string() + "\"\n" +
        "server.bind = \"127.0.0.1\"\n" + "server.port = " + std::to_string(port_) + "\n" +
        "server.errorlog = \"" + (state_.path() / "error.log").string() + "\"\n" +
        "server.modules = (\"mod_alias\", \"mod_setenv\", \"mod_cgi\")\n"
        "mimetype.assign = (\".html\" => \"text/html\", \".gif\" => \"image/gif\",\n"
        "                   \".js\" => \"text/javascript\", \".css\" => \"text/css\")\n" +
        extra_config + "\n";
    auto config_file = state_.write("lighttpd.conf", config);
    pid_ = start_process({"lighttpd", {"-D", "-f", config_file.string()}, {}, "", ""}, "",
                         (state_.path() / "stderr.log").string());
    for (int i = 0; i < 100; ++i) {
        int fd = connect_to(port_);
        if (fd >= 0) {
            close(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    stop_process(pid_);
    throw std::runtime_error("lighttpd did not start: " + read_file(state_.path() / "stderr.log") +
                             error_log());
}

WebServer::~WebServer() {
    stop_process(pid_);
}

std::string WebServer::url(const std::string& target) const {
    return "http://127.0.0.1:" + std::to_string(port_) + target;
}

std::string WebServer::error_log() const {
    return read_file(state_.path() / "error.log");
}

HttpResponse http_get(int port, const std::string& target) {
    int fd = connect_to(port);
    if (fd < 0)
        throw std::runtime_error("cannot connect to port " + std::to_string(port));
    std::string request = "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    if (write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size())) {
        close(fd);
        throw std::runtime_error("request not sent");
    }
    std::string raw;
    char buffer[65536];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        raw.append(buffer, n);
    close(fd);

    HttpResponse response;
    auto end_of_headers = raw.find("\r\n\r\n");
    if (end_of_headers == std::string::npos)
        throw std::runtime_error("bad response: " + raw);
    response.headers = raw.substr(0, end_of_headers);
    response.body = raw.substr(end_of_headers + 4);
    auto blank = response.headers.find(' ');
    response.status = std::stoi(response.headers.substr(blank + 1, 3));
    return response;
}

}  // namespace testsupport
