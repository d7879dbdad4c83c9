// Load client for tavrin-scores: many keep-alive connections on one epoll
// loop, each sending its next request as soon as the answer is in.
//
//   tavrin_score_load PORT SECONDS CLIENTS register|read|record [CHAOS [ACCEPTED [RECORDS]]]
//
// register: every request is a new, correctly signed registration; only an
// answer "200" with the registered page counts as verified.
// read: the rankings, as pages and JSON, in turn.
// record: every request registers another real finished game with its record
// (POST /register), from RECORDS (lines "score seed record", as
// tavrin_record_search writes them); only "200" with "registered":true
// counts. The client stops asking when the records run out.
// CHAOS > 0 adds that many extra connections that, over and over, send half a
// registration, a whole one, or garbage, and hang up without reading.
// ACCEPTED: file that receives the name of every verified registration, one
// a line, so that the caller can look for each in the database.
// Prints one line: mode, answers, verified, per second, p50/p99/max in ms.
#include "puzzles/cp932.h"
#include "scores/score_page.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int port = 0;

int connectTo()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 && errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string percentEncoded(const std::string& bytes)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : bytes) {
        if (std::isalnum(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

struct Today {
    int year, month, day;
};

Today today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string nameOf(long serial, bool chaos)
{
    return (chaos ? "途中" : "負荷") + std::to_string(serial);
}

std::string registration(const std::string& name, long serial, std::mt19937& random)
{
    const Today date = today();
    const int score = std::uniform_int_distribution<int>(0, 32767)(random);
    const int kinds = 3 + static_cast<int>(serial % 3);
    const std::string code = tavrin::scoreCode(name, static_cast<std::int16_t>(score), static_cast<std::int16_t>(date.year),
                                               static_cast<std::int16_t>(date.month),
                                               static_cast<std::int16_t>(date.day), static_cast<std::int16_t>(kinds));
    const std::string body = "name=" + percentEncoded(tavrin::toCp932(name)) + "&score=" + std::to_string(score) +
                             "&dates=" + std::to_string(date.year) + "%2F" + std::to_string(date.month) + "%2F" +
                             std::to_string(date.day) + "&comment=" + percentEncoded(tavrin::toCp932("負荷試験")) +
                             "&gametype=" + std::to_string(kinds) + "&passwd=" + code;
    return std::string(tavrin::kRegistrationPath.data(), tavrin::kRegistrationPath.size()).insert(0, "POST ") +
           " HTTP/1.1\r\nHost: load\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

struct FinishedGame {
    std::string score;
    std::string record;
};

std::vector<FinishedGame> readGames(const char* path)
{
    std::vector<FinishedGame> games;
    std::FILE* in = path ? std::fopen(path, "r") : nullptr;
    if (!in) {
        return games;
    }
    char score[16], seed[32], record[4096];
    while (std::fscanf(in, "%15s %31s %4095s", score, seed, record) == 3) {
        games.push_back({score, record});
    }
    std::fclose(in);
    return games;
}

std::string recordRegistration(const std::string& name, const FinishedGame& game)
{
    const std::string body =
        "{\"name\": \"" + name + "\", \"comment\": \"負荷試験\", \"score\": " + game.score + ", \"record\": \"" +
        game.record + "\"}";
    return "POST /register HTTP/1.1\r\nHost: load\r\nContent-Type: application/json\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string rankingRequest(long serial)
{
    static const char* paths[] = {"/ranking/3", "/ranking/4.json", "/ranking/5", "/ranking/3.json", "/"};
    return std::string("GET ") + paths[serial % 5] + " HTTP/1.1\r\nHost: load\r\n\r\n";
}

struct Client {
    int fd = -1;
    bool chaos = false;
    bool done = false; // nothing left to ask
    std::string name;
    std::string out;
    std::size_t sent = 0;
    std::string in;
    Clock::time_point started;
};

// One run: the clients, what they have asked and been answered.
class LoadRun {
public:
    LoadRun(int clients, int chaosClients, bool recording, bool registering, std::vector<FinishedGame> games,
            std::FILE* accepted)
        : clients_(clients), recording_(recording), registering_(registering), games_(std::move(games)),
          accepted_(accepted), pool_(static_cast<std::size_t>(clients + chaosClients))
    {
        for (std::size_t i = 0; i < pool_.size(); ++i) {
            pool_[i].chaos = static_cast<int>(i) >= clients;
            arm(pool_[i], i);
        }
    }

    // Runs for `seconds` or until every client has run out of games.
    void run(double seconds)
    {
        begin_ = Clock::now();
        const auto end = begin_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
        std::vector<epoll_event> events(256);
        while (Clock::now() < end && exhausted_ < clients_) {
            const int ready = ::epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), 50);
            for (int e = 0; e < ready; ++e) {
                const epoll_event& event = events[static_cast<std::size_t>(e)];
                handle(static_cast<std::size_t>(event.data.u64), event.events);
            }
        }
    }

    void report(const char* mode, int chaosClients)
    {
        const double elapsed = std::chrono::duration<double>(Clock::now() - begin_).count();
        std::sort(latencies_.begin(), latencies_.end());
        auto percentile = [&](double p) {
            return latencies_.empty()
                       ? 0.0
                       : latencies_[std::min(latencies_.size() - 1, static_cast<std::size_t>(p * latencies_.size()))];
        };
        std::printf("mode=%s clients=%d chaos_clients=%d seconds=%.2f answers=%ld verified=%ld errors=%ld "
                    "chaos_requests=%ld per_second=%.0f p50_ms=%.2f p99_ms=%.2f max_ms=%.2f exhausted=%d\n",
                    mode, clients_, chaosClients, elapsed, answers_, verified_, errors_, chaosDone_,
                    static_cast<double>(verified_) / elapsed, percentile(0.50), percentile(0.99),
                    latencies_.empty() ? 0.0 : latencies_.back(), exhausted_ > 0 ? 1 : 0);
    }

private:
    // The client's next request (on a new connection when it has none).
    void arm(Client& client, std::size_t index)
    {
        if (recording_ && !client.chaos && nextGame_ >= games_.size()) {
            if (client.fd >= 0) { // this client asks nothing more
                ::epoll_ctl(epoll_, EPOLL_CTL_DEL, client.fd, nullptr);
                ::close(client.fd);
                client.fd = -1;
            }
            exhausted_ += client.done ? 0 : 1;
            client.done = true;
            return;
        }
        if (client.fd < 0) {
            client.fd = connectTo();
            epoll_event event{};
            event.events = EPOLLIN | EPOLLOUT;
            event.data.u64 = index;
            ::epoll_ctl(epoll_, EPOLL_CTL_ADD, client.fd, &event);
        }
        ++serial_;
        client.name = nameOf(serial_, client.chaos);
        if (client.chaos) {
            const std::string whole = registration(client.name, serial_, random_);
            client.out = serial_ % 3 == 0   ? whole.substr(0, whole.size() / 2)
                         : serial_ % 3 == 1 ? whole
                                            : std::string("\x16\x03\x01garbage\r\n\r\n\r\n");
        } else {
            client.out = recording_     ? recordRegistration(client.name, games_[nextGame_++])
                         : registering_ ? registration(client.name, serial_, random_)
                                        : rankingRequest(serial_);
        }
        client.sent = 0;
        client.in.clear();
        client.started = Clock::now();
    }

    void reconnect(Client& client, std::size_t index)
    {
        ::epoll_ctl(epoll_, EPOLL_CTL_DEL, client.fd, nullptr);
        ::close(client.fd);
        client.fd = -1;
        arm(client, index);
    }

    void handle(std::size_t index, std::uint32_t flags)
    {
        Client& client = pool_[index];
        if (flags & (EPOLLERR | EPOLLHUP)) {
            errors_ += client.chaos ? 0 : 1;
            reconnect(client, index);
            return;
        }
        if ((flags & EPOLLOUT) && client.sent < client.out.size()) {
            const ssize_t n =
                ::send(client.fd, client.out.data() + client.sent, client.out.size() - client.sent, MSG_NOSIGNAL);
            if (n > 0) {
                client.sent += static_cast<std::size_t>(n);
            }
            if (client.chaos && client.sent == client.out.size()) {
                ++chaosDone_; // said its piece: hang up mid-request
                reconnect(client, index);
                return;
            }
        }
        if (!(flags & EPOLLIN)) {
            return;
        }
        char buffer[65536];
        const ssize_t n = ::recv(client.fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            errors_ += client.chaos ? 0 : 1;
            reconnect(client, index);
            return;
        }
        client.in.append(buffer, static_cast<std::size_t>(n));
        answered(client, index);
    }

    // Counts the answer once the whole of it is in.
    void answered(Client& client, std::size_t index)
    {
        const std::size_t head = client.in.find("\r\n\r\n");
        if (head == std::string::npos) {
            return;
        }
        const std::size_t lengthAt = client.in.find("Content-Length: ");
        const std::size_t length = lengthAt < head ? std::strtoul(client.in.c_str() + lengthAt + 16, nullptr, 10) : 0;
        if (client.in.size() < head + 4 + length) {
            return;
        }
        latencies_.push_back(std::chrono::duration<double, std::milli>(Clock::now() - client.started).count());
        ++answers_;
        const bool ok = client.in.compare(0, 12, "HTTP/1.1 200") == 0;
        const char* success = recording_ ? "\"registered\":true" : "登録しました";
        if (ok && (!registering_ || client.in.find(success, head) != std::string::npos)) {
            ++verified_;
            if (registering_ && accepted_) {
                std::fprintf(accepted_, "%s\n", client.name.c_str());
            }
        } else {
            ++errors_;
        }
        if (client.in.size() > head + 4 + length) {
            ++errors_; // more than one answer: out of step
        }
        arm(client, index);
    }

    int clients_;
    bool recording_;
    bool registering_;
    std::vector<FinishedGame> games_;
    std::FILE* accepted_;
    std::size_t nextGame_ = 0;
    int exhausted_ = 0; // clients that have no game left to register
    std::mt19937 random_{static_cast<unsigned>(Clock::now().time_since_epoch().count())};
    long serial_ = static_cast<long>(random_() % 1000000) * 1000000;
    int epoll_ = ::epoll_create1(0);
    std::vector<Client> pool_;
    std::vector<double> latencies_;
    long answers_ = 0, verified_ = 0, errors_ = 0, chaosDone_ = 0;
    Clock::time_point begin_ = Clock::now();
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s PORT SECONDS CLIENTS register|read [CHAOS]\n", argv[0]);
        return 2;
    }
    port = std::atoi(argv[1]);
    const double seconds = std::atof(argv[2]);
    const int clients = std::atoi(argv[3]);
    const bool recording = std::strcmp(argv[4], "record") == 0;
    const bool registering = recording || std::strcmp(argv[4], "register") == 0;
    const int chaosClients = argc > 5 ? std::atoi(argv[5]) : 0;
    std::FILE* accepted = argc > 6 ? std::fopen(argv[6], "w") : nullptr;
    std::vector<FinishedGame> games = recording ? readGames(argc > 7 ? argv[7] : nullptr) : std::vector<FinishedGame>{};
    if (recording && games.empty()) {
        std::fprintf(stderr, "%s: no finished games to register\n", argv[0]);
        return 2;
    }
    LoadRun load(clients, chaosClients, recording, registering, std::move(games), accepted);
    load.run(seconds);
    if (accepted) {
        std::fclose(accepted);
    }
    load.report(argv[4], chaosClients);
    return 0;
}
