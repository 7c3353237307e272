// A tiny SMTP server on loopback for the e-mail tests: it accepts mail on a free port of 127.0.0.1,
// records every message (sender, recipients, data) and can refuse recipients. Bounded: it stops
// with the object, and each connection gives up after a few seconds of silence.
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

    // reject_recipients: answer every RCPT with 550.
    explicit SmtpSink(bool reject_recipients = false);
    ~SmtpSink();
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    int port() const { return port_; }
    std::vector<Message> messages();
    bool wait_for(std::size_t count, std::chrono::milliseconds timeout);

private:
    void accept_loop();
    void serve(int connection);

    bool reject_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Message> messages_;
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
