#include "stream_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace fixtures {

namespace {

// Each server of a test gets files of its own.
std::string NextServerName() {
    static int servers = 0;
    return "server" + std::to_string(++servers);
}

}  // namespace

StreamServer::StreamServer(const MediaFolder& folder, const std::string& mp3, Options options)
    : log_(folder.Path(NextServerName() + ".log")) {
    const std::string port_file = log_ + ".port";
    std::vector<std::string> args = {
        "python3", VEXA_ICY_SERVER, "--mp3",   mp3,        "--log",
        log_,      "--port-file",   port_file, "--outage", std::to_string(options.outage_seconds)};
    if (options.self_signed_tls) {
        const std::string cert = folder.Path("cert.pem");
        const std::string key = folder.Path("key.pem");
        const std::string make_cert =
            "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 -keyout '" +
            key + "' -out '" + cert + "' >/dev/null 2>&1";
        if (std::system(make_cert.c_str()) != 0) throw std::runtime_error("openssl failed");
        args.insert(args.end(), {"--tls-cert", cert, "--tls-key", key});
        scheme_ = "https";
    }
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, "python3", nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start the stream server");
    if (!WaitFor([&] { return std::ifstream(port_file) >> port_ ? true : false; }, 10))
        throw std::runtime_error("the stream server did not start");
}

StreamServer::~StreamServer() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

std::string StreamServer::Url(const std::string& path) const {
    return scheme_ + "://127.0.0.1:" + std::to_string(port_) + path;
}

int StreamServer::Count(const std::string& what) const {
    std::ifstream log(log_);
    int count = 0;
    for (std::string line; std::getline(log, line);) count += line.rfind(what + " ", 0) == 0;
    return count;
}

int StreamServer::Opened(const std::string& path) const { return Count("OPEN " + path); }
int StreamServer::Closed(const std::string& path) const { return Count("CLOSE " + path); }

SilentPort::SilentPort() {
    socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(socket_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(socket_, 8) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("cannot listen on loopback");
    port_ = ntohs(address.sin_port);
}

SilentPort::~SilentPort() { close(socket_); }

}  // namespace fixtures
