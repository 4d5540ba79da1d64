// Ctrl+C on a run of the command-line tool: the run stops like the cancel button, the columns
// kept so far are written, and the tool exits with 130.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/registratore.h"

namespace {

TEST(CliInterruzione, CtrlCScriveLeColonneTenuteEdEsceCon130) {
    novanta::test::CartellaTemporanea cartella;
    const std::string uscita = (cartella / "parziale.txt").string();
    const std::string dati = cartella.percorso().string();
    // A run that would take for ever: 90 numbers in columns of 20, kept at distance 10.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // Until the tool installs its own handler, a Ctrl+C is ignored rather than fatal: a slow
        // start (a loaded machine, the sanitizers) must not turn the test into a race.
        ::signal(SIGINT, SIG_IGN);
        const int nulla = ::open("/dev/null", O_WRONLY);
        ::dup2(nulla, STDERR_FILENO);
        ::execl(NOVANTA_CLI, NOVANTA_CLI, "--data", dati.c_str(), "generate", "--numbers", "1-90", "--length", "20",
                "--min-distance", "10", "--out", uscita.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    // The run notices the cancel within a few tens of milliseconds; the Ctrl+C is repeated in case
    // the tool had not started yet, and it gets ample time.
    int stato = 0;
    pid_t fatto = 0;
    for (int i = 0; i < 200 && (fatto = ::waitpid(pid, &stato, WNOHANG)) == 0; ++i) {
        if (i % 10 == 0) {
            ASSERT_EQ(::kill(pid, SIGINT), 0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (fatto == 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &stato, 0);
        FAIL() << "the run did not stop after Ctrl+C";
    }
    ASSERT_TRUE(WIFEXITED(stato));
    EXPECT_EQ(WEXITSTATUS(stato), 130);
    EXPECT_EQ(novanta::test::LeggiFile(uscita).substr(0, 63),
              " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 \r\n")
        << "the kept columns were not written";
}

}  // namespace
