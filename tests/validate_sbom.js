// Validates a CycloneDX 1.6 JSON SBOM against the schema, strictly, with
// CycloneDX's own library: node validate_sbom.js SBOM (NODE_PATH names the
// folder that holds the library and ajv).
const fs = require("fs");
const { Validation } = require("@cyclonedx/cyclonedx-library");

const validator = new Validation.JsonStrictValidator("1.6"); // CycloneDX 1.6
validator.validate(fs.readFileSync(process.argv[2], "utf8")).then(
    (errors) => {
        if (errors === null) return;
        console.error(JSON.stringify(errors, null, 2));
        process.exitCode = 1;
    },
    (failure) => {
        console.error(String(failure));
        process.exitCode = 2;
    });
