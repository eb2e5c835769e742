// The end-to-end driver: a console program started inside the test's Wine
// prefix that reads commands from stdin and drives the windows of the program
// under test as a user would, answering on stdout (see protocol.h).
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <exception>
#include <string>

#include "commands.h"
#include "protocol.h"

namespace {

bool readLine(std::string& line) {
    line.clear();
    int c;
    while ((c = std::getchar()) != EOF) {
        if (c == '\n')
            return true;
        if (c != '\r')
            line += static_cast<char>(c);
    }
    return !line.empty();
}

void answer(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int main() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);

    driver::CommandTable table;
    driver::addWindowCommands(table);
    driver::addButtonCommands(table);
    driver::addListCommands(table);
    driver::addProcessCommands(table);
    driver::addKeyCommands(table);

    std::string line;
    while (readLine(line)) {
        driver::Fields command = driver::splitCommand(line);
        if (command[0] == "quit")
            break;
        auto handler = table.find(command[0]);
        try {
            if (handler == table.end())
                throw driver::Failure("unknown command: " + command[0]);
            driver::Reply reply;
            handler->second(command, reply);
            for (const std::string& row : reply.lines())
                answer(row);
            answer("ok");
        } catch (const std::exception& failure) {
            answer("err\t" + driver::escapeField(failure.what()));
        }
        std::fflush(stdout);
    }
    return 0;
}
