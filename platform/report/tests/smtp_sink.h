// A tiny SMTP server on loopback for the e-mail tests: it accepts mail on a free port of 127.0.0.1,
// records every message (sender, recipients, data) and can refuse recipients. It can offer log-in
// (AUTH PLAIN) and STARTTLS; it speaks no TLS itself, but it notes every line it received in
// clear and whether a client began a TLS handshake (after STARTTLS, or at once), and then hangs
// up. Bounded: it stops with the object, and each connection gives up after a few seconds of
// silence.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vorel::report::testing {

class SmtpSink {
public:
    struct Message {
        std::string from;
        std::vector<std::string> recipients;
        std::string data;  // the message as sent, dot-stuffing undone
    };

    struct Options {
        bool reject_recipients = false;  // answer every RCPT with 550
        bool offer_auth = false;         // offer AUTH PLAIN and take any credentials
        bool offer_starttls = false;     // offer STARTTLS (and hang up at the handshake)
    };

    SmtpSink();
    explicit SmtpSink(Options options);
    ~SmtpSink();
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    int port() const { return port_; }
    std::vector<Message> messages();
    // Every line received in clear, in order (an AUTH's credentials are lines too).
    std::vector<std::string> lines();
    // How many clients began a TLS handshake.
    int tls_handshakes();
    bool wait_for(std::size_t count, std::chrono::milliseconds timeout);

private:
    void accept_loop();
    void serve(int connection);

    Options options_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Message> messages_;
    std::vector<std::string> lines_;
    int tls_handshakes_ = 0;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

// Helpers for reading what the sink received.
std::string base64_decode(std::string_view text);
// The base64 body of the MIME part whose file name is `file_name`, decoded; empty when missing.
std::string attachment_of(const std::string& data, const std::string& file_name);
// The value of a header line of the message ("To", "Subject"), empty when missing.
std::string header_of(const std::string& data, const std::string& name);

}  // namespace vorel::report::testing
