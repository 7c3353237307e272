#include "smtp_sink.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace vorel::report::testing {

namespace {

bool send_all(int fd, const std::string& s) {
    std::size_t done = 0;
    while (done < s.size()) {
        const ssize_t n = ::send(fd, s.data() + done, s.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string upper_ascii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

std::string between_brackets(const std::string& line) {
    const auto open = line.find('<'), close = line.rfind('>');
    return open == std::string::npos || close == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
}

}  // namespace

SmtpSink::SmtpSink() : SmtpSink(Options{}) {}

SmtpSink::SmtpSink(Options options) : options_(options) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) throw std::runtime_error("sink: socket");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;  // a free port
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listener_, 8) != 0)
        throw std::runtime_error("sink: bind");
    socklen_t len = sizeof addr;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    acceptor_ = std::thread([this] { accept_loop(); });
}

SmtpSink::~SmtpSink() {
    stop_ = true;
    acceptor_.join();
    for (std::thread& t : connections_) t.join();
    ::close(listener_);
}

std::vector<SmtpSink::Message> SmtpSink::messages() {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::string> SmtpSink::lines() {
    std::lock_guard lock(mutex_);
    return lines_;
}

int SmtpSink::tls_handshakes() {
    std::lock_guard lock(mutex_);
    return tls_handshakes_;
}

bool SmtpSink::wait_for(std::size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return messages_.size() >= count; });
}

void SmtpSink::accept_loop() {
    while (!stop_) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        const int fd = ::accept(listener_, nullptr, nullptr);
        if (fd < 0) continue;
        connections_.emplace_back([this, fd] {
            serve(fd);
            ::close(fd);
        });
    }
}

void SmtpSink::serve(int fd) {
    std::string buffer;
    // A line received in clear; false at the end of the connection, or when the client begins a
    // TLS handshake (a record starting with byte 0x16), which this sink cannot go on with.
    auto read_line = [&](std::string& line) {
        for (int idle = 0; idle < 100 && !stop_;) {  // at most ~5 s of silence
            if (!buffer.empty() && buffer[0] == '\x16') {
                std::lock_guard lock(mutex_);
                ++tls_handshakes_;
                return false;
            }
            const auto end = buffer.find("\r\n");
            if (end != std::string::npos) {
                line = buffer.substr(0, end);
                buffer.erase(0, end + 2);
                std::lock_guard lock(mutex_);
                lines_.push_back(line);
                return true;
            }
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) {
                ++idle;
                continue;
            }
            char chunk[4096];
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0) return false;
            buffer.append(chunk, static_cast<std::size_t>(n));
            idle = 0;
        }
        return false;
    };
    if (!send_all(fd, "220 sink ESMTP ready\r\n")) return;
    Message current;
    for (std::string line; read_line(line);) {
        const std::string verb = upper_ascii(line.substr(0, 4));
        std::string reply = "250 OK\r\n";
        if (verb == "EHLO") {
            std::vector<std::string> offers = {"sink"};
            if (options_.offer_auth) offers.push_back("AUTH PLAIN");
            if (options_.offer_starttls) offers.push_back("STARTTLS");
            reply.clear();
            for (std::size_t i = 0; i < offers.size(); ++i)
                reply += (i + 1 < offers.size() ? "250-" : "250 ") + offers[i] + "\r\n";
        } else if (verb == "HELO") {
            reply = "250 sink\r\n";
        } else if (upper_ascii(line) == "STARTTLS" && options_.offer_starttls) {
            reply = "220 ready to start TLS\r\n";
        } else if (verb == "AUTH" && options_.offer_auth) {
            // AUTH PLAIN with the credentials on the same line, or asked for on the next one.
            if (upper_ascii(line).rfind("AUTH PLAIN", 0) != 0) {
                reply = "504 unrecognised mechanism\r\n";
            } else {
                std::string credentials;
                if (line.size() <= 11 && (!send_all(fd, "334 \r\n") || !read_line(credentials))) return;
                reply = "235 accepted\r\n";
            }
        } else if (verb == "MAIL") {
            current = {between_brackets(line), {}, {}};
        } else if (verb == "RCPT") {
            if (options_.reject_recipients) {
                reply = "550 no such user here\r\n";
            } else {
                current.recipients.push_back(between_brackets(line));
            }
        } else if (verb == "DATA") {
            if (!send_all(fd, "354 go ahead\r\n")) return;
            std::string data;
            for (std::string l; read_line(l) && l != ".";) data += (l.rfind("..", 0) == 0 ? l.substr(1) : l) + "\r\n";
            {
                std::lock_guard lock(mutex_);
                current.data = std::move(data);
                messages_.push_back(current);
            }
            changed_.notify_all();
        } else if (verb == "QUIT") {
            send_all(fd, "221 bye\r\n");
            return;
        } else if (verb != "RSET" && verb != "NOOP") {
            reply = "502 not here\r\n";
        }
        if (!send_all(fd, reply)) return;
    }
}

std::string base64_decode(std::string_view text) {
    std::string out;
    unsigned value = 0;
    int bits = 0;
    for (char c : text) {
        int v;
        if (c >= 'A' && c <= 'Z') v = c - 'A';
        else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
        else if (c >= '0' && c <= '9') v = c - '0' + 52;
        else if (c == '+') v = 62;
        else if (c == '/') v = 63;
        else continue;
        value = (value << 6) | static_cast<unsigned>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((value >> bits) & 0xFF);
        }
    }
    return out;
}

std::string attachment_of(const std::string& data, const std::string& file_name) {
    const auto named = data.find("filename=\"" + file_name + "\"");
    if (named == std::string::npos) return {};
    const auto body = data.find("\r\n\r\n", named);
    if (body == std::string::npos) return {};
    const auto end = data.find("\r\n--", body + 4);
    return base64_decode(std::string_view(data).substr(body + 4, end - body - 4));
}

std::string header_of(const std::string& data, const std::string& name) {
    const std::string key = name + ": ";
    for (std::size_t at = 0; at < data.size();) {
        const auto end = data.find("\r\n", at);
        const std::string line = data.substr(at, end - at);
        if (line.empty()) break;  // end of the headers
        if (line.rfind(key, 0) == 0) return line.substr(key.size());
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return {};
}

}  // namespace vorel::report::testing
