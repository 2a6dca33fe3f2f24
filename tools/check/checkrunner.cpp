// Running one check in a forked child: its answer through a pipe, its time limit, its end.
#include "tools/check/checkrunner.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <thread>

namespace px7000host {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// A reason is one line of a report; anything longer is cut.
constexpr std::size_t kLongestAnswer = 4096;

// The answer on the pipe: one letter for the status, then the reason.
std::string encode(const CheckOutcome& outcome) {
  const char letter = outcome.status == CheckStatus::pass   ? 'P'
                      : outcome.status == CheckStatus::skip ? 'S'
                                                            : 'F';
  return letter + outcome.reason.substr(0, kLongestAnswer);
}

bool decode(const std::string& answer, CheckOutcome& outcome) {
  if (answer.empty() || answer.size() > kLongestAnswer + 1) return false;
  switch (answer[0]) {
    case 'P':
      outcome.status = CheckStatus::pass;
      break;
    case 'S':
      outcome.status = CheckStatus::skip;
      break;
    case 'F':
      outcome.status = CheckStatus::fail;
      break;
    default:
      return false;
  }
  outcome.reason = answer.substr(1);
  return true;
}

void writeAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t put = write(fd, data.data() + done, data.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return;
    done += std::size_t(put);
  }
}

// Keeps whatever the module prints out of the report, and a crash from leaving a core file.
void quietChild() {
  const int nowhere = open("/dev/null", O_RDWR);
  if (nowhere >= 0) {
    dup2(nowhere, STDIN_FILENO);
    dup2(nowhere, STDOUT_FILENO);
    dup2(nowhere, STDERR_FILENO);
    if (nowhere > STDERR_FILENO) close(nowhere);
  }
  const rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
}

// Where the child writes its answer.
int answerFd = -1;

// Leaves at once: the parent's buffers and exit handlers are not the child's to run.
[[noreturn]] void answerAndExit(const CheckOutcome& outcome) {
  writeAll(answerFd, encode(outcome));
  _exit(0);
}

[[noreturn]] void childMain(const Check& check, const std::string& bundlePath, int fd) {
  quietChild();
  answerFd = fd;
  answerVerdictsWith(answerAndExit);
  answerAndExit(runCheckHere(check, bundlePath));
}

// Reads the child's answer until it closes the pipe (true) or `deadline` passes (false).
bool readAnswer(int fd, Clock::time_point deadline, std::string& answer) {
  char buffer[1024];
  for (;;) {
    const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, int(std::min<long long>(left, 1000)));
    if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
    if (ready < 0) return true;
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return true;
    if (answer.size() <= kLongestAnswer) answer.append(buffer, std::size_t(got));
  }
}

// Waits for the child to end until `deadline`; false when it is still running then.
bool waitUntil(pid_t child, Clock::time_point deadline, int& status) {
  for (;;) {
    const pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child) return true;
    if (ended < 0 && errno != EINTR) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(Milliseconds(1));
  }
}

std::string secondsText(double seconds) {
  std::ostringstream text;
  text << seconds;
  return text.str();
}

CheckOutcome runInChild(const Check& check, const std::string& bundlePath, double seconds) {
  // A parent that ignores SIGCHLD would have the child reaped before it could be asked.
  std::signal(SIGCHLD, SIG_DFL);
  int answerPipe[2];
  if (pipe2(answerPipe, O_CLOEXEC) != 0)
    return {CheckStatus::fail, std::string("cannot make a pipe: ") + std::strerror(errno)};
  // Whatever is still buffered would otherwise be written twice.
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  const Clock::time_point deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                        std::chrono::duration<double>(seconds));
  const pid_t child = fork();
  if (child < 0) {
    close(answerPipe[0]);
    close(answerPipe[1]);
    return {CheckStatus::fail, std::string("cannot start a process: ") + std::strerror(errno)};
  }
  if (child == 0) {
    close(answerPipe[0]);
    childMain(check, bundlePath, answerPipe[1]);
  }
  close(answerPipe[1]);
  std::string answer;
  int status = 0;
  const bool inTime =
      readAnswer(answerPipe[0], deadline, answer) && waitUntil(child, deadline, status);
  close(answerPipe[0]);
  if (!inTime) {
    kill(child, SIGKILL);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return {CheckStatus::timeout, "no answer within " + secondsText(seconds) + " s; killed"};
  }
  if (WIFSIGNALED(status)) return {CheckStatus::crash, "killed by " + signalName(WTERMSIG(status))};
  CheckOutcome outcome;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && decode(answer, outcome)) return outcome;
  return {CheckStatus::crash, "ended with exit status " +
                                  std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) +
                                  " without an answer"};
}

}  // namespace

std::string signalName(int number) {
  static const std::pair<int, const char*> names[] = {
      {SIGHUP, "SIGHUP"},   {SIGINT, "SIGINT"},   {SIGQUIT, "SIGQUIT"},     {SIGILL, "SIGILL"},
      {SIGTRAP, "SIGTRAP"}, {SIGABRT, "SIGABRT"}, {SIGBUS, "SIGBUS"},       {SIGFPE, "SIGFPE"},
      {SIGKILL, "SIGKILL"}, {SIGUSR1, "SIGUSR1"}, {SIGSEGV, "SIGSEGV"},     {SIGUSR2, "SIGUSR2"},
      {SIGPIPE, "SIGPIPE"}, {SIGALRM, "SIGALRM"}, {SIGTERM, "SIGTERM"},     {SIGXCPU, "SIGXCPU"},
      {SIGXFSZ, "SIGXFSZ"}, {SIGSYS, "SIGSYS"},   {SIGVTALRM, "SIGVTALRM"}, {SIGPROF, "SIGPROF"}};
  for (const auto& [value, name] : names)
    if (value == number) return name;
  return "signal " + std::to_string(number);
}

CheckResult runCheckIsolated(const Check& check, const std::string& bundlePath,
                             const RunSettings& settings) {
  CheckResult result;
  result.check = &check;
  const Clock::time_point began = Clock::now();
  result.outcome = settings.inProcess ? runCheckHere(check, bundlePath)
                                      : runInChild(check, bundlePath, settings.timeoutSeconds);
  result.milliseconds = std::chrono::duration_cast<Milliseconds>(Clock::now() - began).count();
  return result;
}

}  // namespace px7000host
