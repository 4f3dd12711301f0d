#pragma once

#include <sys/types.h>

#include <string>

#include "media_fixtures.h"

namespace fixtures {

// The loopback stream server of icy_server.py, started for one test and stopped with it.
class StreamServer {
 public:
    struct Options {
        double outage_seconds = 3.0;
        // HTTPS with a self-signed certificate, which no client should trust.
        bool self_signed_tls = false;
    };
    StreamServer(const MediaFolder& folder, const std::string& mp3, Options options);
    StreamServer(const MediaFolder& folder, const std::string& mp3)
        : StreamServer(folder, mp3, Options{}) {}
    ~StreamServer();

    std::string Url(const std::string& path) const;
    // How many connections to the path were opened / closed so far.
    int Opened(const std::string& path) const;
    int Closed(const std::string& path) const;

 private:
    int Count(const std::string& what) const;

    pid_t pid_ = -1;
    int port_ = 0;
    std::string scheme_ = "http";
    std::string log_;
};

// A port on 127.0.0.1 that accepts connections and never says a word, for as long as it lives.
class SilentPort {
 public:
    SilentPort();
    ~SilentPort();
    int port() const { return port_; }

 private:
    int socket_ = -1;
    int port_ = 0;
};

}  // namespace fixtures
