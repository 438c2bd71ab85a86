// Runs the DBF table walk over the tables in a folder and over damaged
// copies of each (every truncation, header and descriptor bytes set to
// extreme values), under the sanitizers. Every cell byte the walk reports
// is read, and numeric cells are formatted as the viewer does.
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "database/DbfTable.h"

namespace {

std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::vector<unsigned char> data;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return data;
    int c;
    while ((c = fgetc(f)) != EOF)
        data.push_back((unsigned char)c);
    fclose(f);
    return data;
}

class CTouchSink : public IDbfTableSink
{
public:
    void OnField(const DbfField& field) override { sum += field.name[11] + field.length; }
    void OnTooManyFields() override {}
    void OnRow(int nRow) override { rows = nRow + 1; }
    void OnCell(int, int, const DbfField& field, const unsigned char* bytes) override
    {
        for (unsigned i = 0; i < field.length; ++i)
            sum += bytes[i];
        sum += bytes[DbfTableWalk::FieldBuffer - 1];   // the terminator
        if (field.type == 'N' || field.type == 'F') {
            double v = atof((const char*)bytes);
            int n = snprintf(NULL, 0, "%f", v);
            std::string text((size_t)n, '\0');
            snprintf(&text[0], (size_t)n + 1, "%f", v);
            sum += text.size();
        }
    }
    unsigned long sum = 0;
    int rows = 0;
};

bool Walk(const std::vector<unsigned char>& data, int* rows)
{
    CTouchSink sink;
    bool ok = DbfTableWalk::Walk(
        data.size(), [&data](uint64_t pos, unsigned char* buffer, unsigned count) {
            for (unsigned i = 0; i < count; ++i)
                buffer[i] = data.at((size_t)pos + i);
        },
        sink);
    *rows = sink.rows;
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s <folder of .dbf files>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 2;
    int files = 0, runs = 0, rows = 0;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".dbf") != 0)
            continue;
        std::vector<unsigned char> data = ReadAll(folder + "/" + name);
        ++files;
        Walk(data, &rows);
        ++runs;
        for (size_t cut = 0; cut < data.size() && cut < 4096; ++cut, ++runs)
            Walk(std::vector<unsigned char>(data.begin(), data.begin() + cut), &rows);
        // Header lengths, descriptor terminators, types and lengths set to
        // extremes.
        const size_t at[] = {8, 9, 10, 11, 32, 43, 48, 64, 75, 80};
        const unsigned char values[] = {0x00, 0x0D, 0x20, 0x7F, 0xFF};
        for (size_t a : at)
            for (unsigned char v : values) {
                if (a >= data.size())
                    continue;
                std::vector<unsigned char> copy = data;
                copy[a] = v;
                Walk(copy, &rows);
                ++runs;
            }
    }
    closedir(dir);
    printf("dbf: %d tables, %d walks\n", files, runs);
    return files ? 0 : 1;
}
