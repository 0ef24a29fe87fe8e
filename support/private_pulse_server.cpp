#include "support/private_pulse_server.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace vantrel {

PrivatePulseServer::PrivatePulseServer() {
  char pattern[] = "/tmp/vantrel-pulse-XXXXXX";
  if (!mkdtemp(pattern)) {
    why_ = "no scratch folder for the sound server";
    return;
  }
  folder_ = pattern;
  const std::string socket = folder_ + "/native";
  pid_ = fork();
  if (pid_ == 0) {
    // A test that crashes takes its server with it.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The server keeps its cookie, runtime files and state in the folder.
    setenv("HOME", folder_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    setenv("PULSE_RUNTIME_PATH", folder_.c_str(), 1);
    const std::string native = "module-native-protocol-unix auth-anonymous=1 socket=" + socket;
    execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
           "--disable-shm=yes", "--log-target=stderr", "--log-level=0", "-L", native.c_str(), "-L",
           "module-null-sink sink_name=vantrel_null", nullptr);
    _exit(127);
  }
  if (pid_ < 0) {
    why_ = "could not start a process for the sound server";
    return;
  }
  // The socket appears once the server takes clients.
  for (int i = 0; i < 100; ++i) {
    struct stat st {};
    if (stat(socket.c_str(), &st) == 0) {
      setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
      StartPacer();
      return;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      why_ = WIFEXITED(status) && WEXITSTATUS(status) == 127
                 ? "pulseaudio is not installed (Debian package pulseaudio)"
                 : "pulseaudio would not start";
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  why_ = "pulseaudio did not open its socket within 5 s";
}

void PrivatePulseServer::StartPacer() {
  // An idle null sink renders in 2 s blocks, so a stream that connects to it
  // waits up to 2 s for its first request. A low-latency stream of silence
  // keeps it in short blocks, as a sound card always is.
  pacer_ = fork();
  if (pacer_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    execlp("pacat", "pacat", "--playback", "--raw", "--latency-msec=10", "/dev/zero", nullptr);
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  int status = 0;
  if (pacer_ < 0 || waitpid(pacer_, &status, WNOHANG) == pacer_) {
    pacer_ = -1;
    why_ = "pacat (Debian package pulseaudio-utils) would not play to the sound server";
    return;
  }
  ok_ = true;
}

PrivatePulseServer::~PrivatePulseServer() {
  if (pacer_ > 0) {
    kill(pacer_, SIGTERM);
    waitpid(pacer_, nullptr, 0);
  }
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  std::error_code ignored;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

}  // namespace vantrel
