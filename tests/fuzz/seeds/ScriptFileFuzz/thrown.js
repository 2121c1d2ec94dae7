throw { toString() { return "x".repeat(5000); } };
