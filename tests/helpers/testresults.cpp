// Judges one test program's run for tests\windows\run.cmd, which cmd.exe
// alone cannot do reliably (Wine's find and findstr read little of the XML):
//   testresults.exe PROGRAM EXITCODE XML [ALLOWED_SKIP...]
// Ends with 0 only when the program ended with 0 and wrote GoogleTest's XML
// with at least one test, none of them skipped or left unrun unless its
// Suite.Name is among ALLOWED_SKIP. Otherwise prints one line per fault, each
// naming PROGRAM, and ends with 1.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The value of attribute name in element (the text from '<' to '>'), empty
// when it has none. GoogleTest writes every value in double quotes, with a
// quote inside one escaped.
std::string Attribute(const std::string& element, const std::string& name)
{
    const std::string key = " " + name + "=\"";
    const std::size_t start = element.find(key);
    if (start == std::string::npos) return std::string();
    const std::size_t value = start + key.size();
    const std::size_t end = element.find('"', value);
    return end == std::string::npos ? std::string() : element.substr(value, end - value);
}

// Every <testcase ...> element's text.
std::vector<std::string> TestCases(const std::string& xml)
{
    std::vector<std::string> cases;
    for (std::size_t at = xml.find("<testcase "); at != std::string::npos; at = xml.find("<testcase ", at + 1)) {
        const std::size_t end = xml.find('>', at);
        if (end == std::string::npos) break;
        cases.push_back(xml.substr(at, end - at + 1));
    }
    return cases;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("usage: testresults.exe PROGRAM EXITCODE XML [ALLOWED_SKIP...]\n", stderr);
        return 2;
    }
    const std::string program = argv[1];
    const std::string exitCode = argv[2];
    const std::set<std::string> allowed(argv + 4, argv + argc);
    int faults = 0;
    const auto fault = [&program, &faults](const std::string& what) {
        std::printf("FAILED %s: %s\n", program.c_str(), what.c_str());
        ++faults;
    };

    // cmd.exe gives a crash's code as a negative number (-1073741819 for
    // 0xC0000005): anything but 0 is a failure.
    if (exitCode != "0") fault("ended with exit code " + exitCode);

    std::ifstream file(argv[3], std::ios::binary);
    const std::string xml((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (xml.find("<testsuites") == std::string::npos || xml.find("</testsuites>") == std::string::npos) {
        fault(std::string("wrote no test results to ") + argv[3]);
    } else {
        const std::vector<std::string> cases = TestCases(xml);
        if (cases.empty()) fault("ran no test");
        for (const std::string& element : cases) {
            const std::string name = Attribute(element, "classname") + "." + Attribute(element, "name");
            const bool ran = Attribute(element, "status") == "run" && Attribute(element, "result") != "skipped";
            if (!ran && allowed.count(name) == 0) fault("skipped " + name);
        }
    }
    return faults == 0 ? 0 : 1;
}
