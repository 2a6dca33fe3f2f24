// Running a program with pipes on its three standard streams.
#include "tests/support/run_program.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace testsupport {
namespace {

void closeBoth(int fds[2]) {
  close(fds[0]);
  close(fds[1]);
}

}  // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& input) {
  ProgramRun run;
  int in[2], out[2], err[2];
  if (pipe(in) != 0) return run;
  if (pipe(out) != 0) {
    closeBoth(in);
    return run;
  }
  if (pipe(err) != 0) {
    closeBoth(in);
    closeBoth(out);
    return run;
  }
  const pid_t child = fork();
  if (child == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    closeBoth(in);
    closeBoth(out);
    closeBoth(err);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  // A child that stops reading must not kill the test with SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  std::size_t written = 0;
  if (input.empty()) close(in[1]);
  pollfd fds[3] = {
      {out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {input.empty() ? -1 : in[1], POLLOUT, 0}};
  int open = input.empty() ? 2 : 3;
  char buffer[65536];
  while (open > 0 && child > 0) {
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        (i == 0 ? run.out : run.err).append(buffer, std::size_t(got));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
    if (fds[2].fd >= 0 && fds[2].revents != 0) {
      const ssize_t put = (fds[2].revents & POLLOUT)
                              ? write(in[1], input.data() + written, input.size() - written)
                              : -1;
      if (put > 0) written += std::size_t(put);
      if (put <= 0 || written == input.size()) {
        close(in[1]);
        fds[2].fd = -1;
        --open;
      }
    }
  }
  for (int i = 0; i < 3; ++i)
    if (fds[i].fd >= 0) close(fds[i].fd);
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child)
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

}  // namespace testsupport
